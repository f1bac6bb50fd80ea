#include "ports/win32/message_loop.hpp"

#include <windows.h>

namespace quimbel::win32_port {
namespace {

// One GUI thread: no lock needed.
int openWindows = 0;

}  // namespace

void WindowOpened() {
  ++openWindows;
}

void WindowClosed() {
  if (openWindows > 0 && --openWindows == 0)
    PostQuitMessage(0);
}

int OpenWindowCount() {
  return openWindows;
}

int RunMessageLoop() {
  if (openWindows == 0)
    return 0;
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1)
      return 1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace quimbel::win32_port
