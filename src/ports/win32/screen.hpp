#pragma once
// Win32 screen: the virtual screen and the primary monitor, the primary
// monitor's dpi, the desktop's pixels, the pointer and caret, and foreign windows'
// rectangles.
#include "platform/screen.hpp"

namespace quimbel::win32_port {

class Win32Screen : public platform::Screen {
 public:
  Win32Screen();

  double PrimaryMonitorScale() override { return scale_; }
  platform::Rect32 DesktopPx() override { return desktop_; }
  platform::Rect32 PrimaryMonitorPx() override { return primary_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

  // The saver window shows the held picture until its first frame: on a
  // composited desktop the screen's pixels would otherwise hold the window
  // itself, black until it has painted.
  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override { snapshot_ = base::Surface(); }
  // The held picture (empty if none) and the screen position of its top-left pixel.
  const base::Surface& Snapshot() const { return snapshot_; }
  int SnapshotLeft() const { return snapshotLeft_; }
  int SnapshotTop() const { return snapshotTop_; }

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);

  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  double scale_ = 1;
  base::Surface snapshot_;
  int snapshotLeft_ = 0;
  int snapshotTop_ = 0;
};

// The scale for a logical dpi: dpi / 96, 1 when the dpi is unknown.
double ScaleForDpi(int dpi);

}  // namespace quimbel::win32_port
