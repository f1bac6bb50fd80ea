#pragma once
// Win32 message boxes: MessageBoxW with the core's flag values, owned by the
// program's active window so that it stays modal to it.
#include <string>

#include "platform/message_box.hpp"

namespace quimbel::win32_port {

class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, int flags,
           const std::string& helpFile, int helpContext) override;
};

// Every line break as CR LF: the box breaks lines on those for sure.
std::string WithCrLfBreaks(const std::string& text);

}  // namespace quimbel::win32_port
