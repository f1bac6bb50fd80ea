#include "ports/win32/message_loop.hpp"

#include <algorithm>
#include <vector>

namespace quimbel::win32_port {
namespace {

// One GUI thread: no lock needed.
int openWindows = 0;
std::vector<HWND> dialogWindows;

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

void RegisterDialogWindow(HWND window) {
  dialogWindows.push_back(window);
}

void UnregisterDialogWindow(HWND window) {
  dialogWindows.erase(std::remove(dialogWindows.begin(), dialogWindows.end(), window),
                      dialogWindows.end());
}

void DispatchOne(MSG& msg) {
  if (msg.hwnd != nullptr) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (std::find(dialogWindows.begin(), dialogWindows.end(), root) != dialogWindows.end() &&
        IsDialogMessageW(root, &msg)) {
      return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int RunMessageLoop() {
  if (openWindows == 0)
    return 0;
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1)
      return 1;
    DispatchOne(msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace quimbel::win32_port
