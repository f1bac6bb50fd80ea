#pragma once
// Win32 message boxes: MessageBoxW with the core's flag values. While the
// saver window exists every box opens above it, since it is topmost and
// covers the screen; otherwise a box is owned by the program's active window
// so that it stays modal to it.
#include <windows.h>

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

// The saver window while it exists (null once it is gone): boxes open above
// it, with the keyboard and the default pointer.
void SetBoxOwner(HWND window);
// Shows a box above the saver window if there is one, else owned by
// otherOwner (which may be null). Returns the button chosen.
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags,
                   HWND otherOwner);
// True while a box shown through ShowMessageBox is open.
bool MessageBoxOpen();

}  // namespace quimbel::win32_port
