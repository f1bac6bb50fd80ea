#pragma once
// Win32 screen: the virtual screen and the primary monitor, the dpi from the
// screen device context, the desktop's pixels, the pointer and caret, and foreign windows'
// rectangles.
#include "platform/screen.hpp"

namespace quimbel::win32_port {

class Win32Screen : public platform::Screen {
 public:
  Win32Screen();

  double TwipsPerPixelX() override { return twipsPerPixelX_; }
  double TwipsPerPixelY() override { return twipsPerPixelY_; }
  platform::Rect32 DesktopPx() override { return desktop_; }
  platform::Rect32 PrimaryMonitorPx() override { return primary_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

  // Copies the whole screen once, before the saver window shows anywhere:
  // from then on Capture reads that copy, and the window shows it until its
  // first frame. On a composited desktop the screen's pixels would otherwise
  // hold the saver window itself, black until it has painted.
  void HoldSnapshot();
  // Once the window shows frames of its own, the screen is read live again.
  void ReleaseSnapshot() { snapshot_ = base::Surface(); }
  // The held copy (empty if none) and the screen position of its top-left pixel.
  const base::Surface& Snapshot() const { return snapshot_; }
  int SnapshotLeft() const { return snapshotLeft_; }
  int SnapshotTop() const { return snapshotTop_; }

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);

  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  double twipsPerPixelX_ = 15;
  double twipsPerPixelY_ = 15;
  base::Surface snapshot_;
  int snapshotLeft_ = 0;
  int snapshotTop_ = 0;
};

// Twips per pixel for a logical dpi: 1440 / dpi, 15 when the dpi is unknown.
double TwipsPerPixelForDpi(int dpi);

}  // namespace quimbel::win32_port
