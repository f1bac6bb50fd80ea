#pragma once
// A plain top-level window filled with one colour, for tests that need a
// window to find, measure, capture or host something in.
#include <windows.h>

#include <string>

namespace quimbel::win32_port {

class TestWindow {
 public:
  TestWindow(const std::wstring& title, int x, int y, int width, int height,
             COLORREF fill = RGB(0, 0, 255));
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return window_; }
  // Destroys the window now (the destructor then does nothing).
  void Destroy();

 private:
  HWND window_ = nullptr;
  HBRUSH brush_ = nullptr;
};

// Handles the messages that are pending for this thread, for about ms
// milliseconds, so that windows paint and other processes catch up.
void PumpMessages(int ms);

}  // namespace quimbel::win32_port
