#pragma once
// Saver events that only count, for the ports' saver window tests: what
// reached the core, and where the pointer was last reported.
#include <cstdint>

#include "platform/saver_window.hpp"

namespace quimbel::fixtures {

struct CountingSaverEvents : platform::SaverEvents {
  int timer1 = 0, timer2 = 0, clicks = 0, keys = 0, moves = 0, powerChanges = 0;
  bool lit = true;
  std::int32_t lastX = 0, lastY = 0;
  void OnTimer1() override { ++timer1; }
  void OnTimer2() override { ++timer2; }
  void OnClick() override { ++clicks; }
  void OnKeyDown() override { ++keys; }
  void OnPointerMove(std::int32_t x, std::int32_t y) override {
    ++moves;
    lastX = x;
    lastY = y;
  }
  void OnDisplayPower(bool on) override {
    ++powerChanges;
    lit = on;
  }
};

}  // namespace quimbel::fixtures
