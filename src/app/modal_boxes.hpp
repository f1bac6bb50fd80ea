#pragma once
// The program's modal message boxes, one at a time. A box runs a nested
// message loop on every platform, and timers keep firing under it: a tick or
// a failing sound command that reached its box again would stack box upon
// box. While a box is open, no other box opens and the animation tick does
// nothing; the music poll goes on, so the tune keeps playing under the box.
#include <optional>
#include <string>

#include "platform/message_box.hpp"

namespace quimbel::app {

class ModalBoxes {
 public:
  explicit ModalBoxes(platform::MessageBoxes& boxes) : boxes_(boxes) {}

  // Shows the box and returns its answer; shows nothing and returns nothing
  // while another box is open.
  std::optional<int> Show(const std::string& text, const std::string& caption, int flags,
                          const std::string& helpFile = {}, int helpContext = 0);
  bool Open() const { return open_; }

 private:
  platform::MessageBoxes& boxes_;
  bool open_ = false;
};

}  // namespace quimbel::app
