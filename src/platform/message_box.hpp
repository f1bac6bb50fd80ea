#pragma once
// The seam: modal message boxes.
#include <string>

namespace quimbel::platform {

// Flag values as the classic message box takes them (buttons + icon + default).
enum MessageBoxFlags : int {
  kMbOk = 0,
  kMbYesNo = 4,
  kMbIconCritical = 16,
  kMbIconQuestion = 32,
  kMbIconExclamation = 48,
  kMbIconInformation = 64,
  kMbDefaultButton2 = 256,
};

// Answers.
enum MessageBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the answer. Lines in text are separated by
  // CR LF (or a lone CR, which the box shows as a line break too).
  virtual int Show(const std::string& text, const std::string& caption, int flags,
                   const std::string& helpFile = {}, int helpContext = 0) = 0;
};

}  // namespace quimbel::platform
