#pragma once
// Headless screen: a size and dpi chosen by the test, a desktop picture to
// capture, scripted pointer and caret positions, and host windows by handle.
#include <functional>
#include <map>
#include <vector>

#include "platform/screen.hpp"
#include "ports/common/held_desktop.hpp"

namespace quimbel::headless {

class HeadlessScreen : public platform::Screen {
 public:
  // One monitor of widthPx × heightPx at (0, 0), unless monitors names them
  // all, the primary first.
  int widthPx = 1024;
  int heightPx = 768;
  std::vector<platform::Rect32> monitors;
  double scale = 1;  // every monitor's: logical dpi / 96
  // What a capture returns, its top-left pixel at the desktop's corner;
  // empty means black.
  base::Surface desktop;
  bool captureFails = false;
  int captureCount = 0;
  platform::Point32 cursor;
  platform::Point32 caret;
  bool cursorQueryFails = false;
  // False: a platform that cannot poll the pointer (every query fails).
  bool pointerPollable = true;
  bool caretQueryFails = false;
  std::vector<char> queryLog;  // 'C' caret, 'P' pointer, in call order
  std::map<platform::WindowHandle, platform::Rect32> windows;
  // Our own windows that lie over the desktop: a capture of the screen
  // rectangle (x, y, w, h) into dst shows what each of them has painted.
  std::vector<std::function<void(base::Surface& dst, int x, int y, int w, int h)>> windowsOver;

  // The desktop's picture while the core holds it (HoldDesktop), and every
  // area it asked for, in order; releases counts ReleaseDesktop calls.
  ports::HeldDesktop held;
  std::vector<platform::Rect32> holds;
  int releases = 0;

  // Sets the size in pixels and the logical dpi in one step.
  void SetMetrics(int width, int height, double dpi) {
    widthPx = width;
    heightPx = height;
    scale = dpi / 96;
  }

  std::vector<platform::Monitor> Monitors() override;
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override;
  bool CursorPos(platform::Point32& p) override;
  bool CanPollPointer() override { return pointerPollable; }
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

  // What the screen shows now, whatever is held: the desktop and our windows
  // over it (black where there is no desktop).
  void CaptureLive(base::Surface& dst, int x, int y, int width, int height);
};

}  // namespace quimbel::headless
