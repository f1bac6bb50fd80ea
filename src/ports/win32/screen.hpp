#pragma once
// Win32 screen: the monitors and their dpi, the desktop's pixels, the pointer
// and caret, and foreign windows' rectangles.
#include <vector>

#include "platform/screen.hpp"
#include "ports/common/held_desktop.hpp"

namespace quimbel::win32_port {

class Win32Screen : public platform::Screen {
 public:
  Win32Screen();

  std::vector<platform::Monitor> Monitors() override { return monitors_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

  // The saver window shows the held picture until its first frame: on a
  // composited desktop the screen's pixels would otherwise hold the window
  // itself, black until it has painted.
  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override { held_.Release(); }
  // The held picture (empty if none) and the screen position of its top-left pixel.
  const base::Surface& Snapshot() const { return held_.Picture(); }
  int SnapshotLeft() const { return held_.Left(); }
  int SnapshotTop() const { return held_.Top(); }

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);

  std::vector<platform::Monitor> monitors_;
  ports::HeldDesktop held_;
};

// The scale for a logical dpi: dpi / 96, 1 when the dpi is unknown.
double ScaleForDpi(int dpi);

}  // namespace quimbel::win32_port
