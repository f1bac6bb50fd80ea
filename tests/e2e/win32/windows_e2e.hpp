#pragma once
// Small window helpers the end-to-end tests share.
#include <windows.h>

#include <string>

namespace e2e {

// Visible top-level windows of the process with exactly this title.
int CountTopLevel(DWORD pid, const std::string& title);

// A plain top-level window painted by a callback-free brush, for backdrops
// and preview hosts.
class HostWindow {
 public:
  HostWindow(const wchar_t* title, int x, int y, int width, int height, COLORREF fill,
             bool topmost = false);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND hwnd() const { return window_; }
  // A child pane, as the system's preview pane is, filled with its own colour.
  HWND AddPane(int x, int y, int width, int height, COLORREF fill);
  void Destroy();

 private:
  HWND window_ = nullptr;
};

}  // namespace e2e
