#pragma once
// Headless message boxes: every box is recorded and answered from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.hpp"

namespace quimbel::headless {

struct ShownBox {
  std::string text;
  std::string caption;
  int flags = 0;
  std::string helpFile;
  int helpContext = 0;
};

class ScriptedMessageBoxes : public platform::MessageBoxes {
 public:
  std::vector<ShownBox> shown;
  std::deque<int> answers;  // taken in order; when empty, OK (or No for Yes/No boxes)
  // Runs while a box is open (before it is answered), to let a test act
  // during the modal wait, as timer events would on a real platform.
  std::function<void()> whileOpen;

  int Show(const std::string& text, const std::string& caption, int flags,
           const std::string& helpFile, int helpContext) override {
    shown.push_back({text, caption, flags, helpFile, helpContext});
    if (whileOpen)
      whileOpen();
    if (!answers.empty()) {
      int a = answers.front();
      answers.pop_front();
      return a;
    }
    return (flags & 0xF) == platform::kMbYesNo ? platform::kIdNo : platform::kIdOk;
  }
};

}  // namespace quimbel::headless
