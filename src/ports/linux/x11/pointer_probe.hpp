#pragma once
// The pointer's place on the screen, asked for over a connection of its own
// that no event loop watches: the question may go out early and its answer
// wait in the socket, waking nobody, until it is taken. The connection is
// made at the first question: only a saver run asks.
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace quimbel::linux_port {

struct PointerAt {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class PointerProbe {
 public:
  PointerProbe();
  ~PointerProbe();
  PointerProbe(const PointerProbe&) = delete;
  PointerProbe& operator=(const PointerProbe&) = delete;

  // Sends the question now, unless one asked earlier is still on its way:
  // its answer is as good, and comes sooner.
  void Ask();
  // The pointer's place when the server answered the question asked last.
  // Where that question went out before (Ask), an answer not yet here is not
  // waited for: nothing, and the question stays for the next Take, so that
  // the tick sleeps only on its timer. Without a question asked, asks and
  // waits. Nothing without a display.
  std::optional<PointerAt> Take();

 private:
  void Connect();

  bool tried_ = false;
  xcb_connection_t* connection_ = nullptr;
  std::uint32_t root_ = 0;
  std::optional<unsigned int> asked_;  // the sequence of the question on its way
};

}  // namespace quimbel::linux_port
