#pragma once
// The core writes its next frame into the memory the X server reads the last
// one from, and only inside its handlers: each handler waits, before it
// runs, until the server has read what was sent. Frames then go out without
// a round trip each, and the answer is normally in before the next tick.
#include <functional>
#include <utility>

#include "platform/saver_window.hpp"

namespace quimbel::linux_port {

class FrameReadGuard : public platform::SaverEvents {
 public:
  FrameReadGuard(platform::SaverEvents& events, std::function<void()> awaitRead)
      : events_(events), awaitRead_(std::move(awaitRead)) {}

  void OnTimer1() override {
    Then([this] { events_.OnTimer1(); });
  }
  void OnTimer2() override {
    Then([this] { events_.OnTimer2(); });
  }
  void OnClick() override {
    Then([this] { events_.OnClick(); });
  }
  void OnKeyDown() override {
    Then([this] { events_.OnKeyDown(); });
  }
  void OnPointerMove(std::int32_t x, std::int32_t y) override {
    Then([this, x, y] { events_.OnPointerMove(x, y); });
  }
  void OnDisplayPower(bool lit) override {
    Then([this, lit] { events_.OnDisplayPower(lit); });
  }

 private:
  template <typename Handler>
  void Then(Handler handler) {
    awaitRead_();
    handler();
  }

  platform::SaverEvents& events_;
  std::function<void()> awaitRead_;
};

}  // namespace quimbel::linux_port
