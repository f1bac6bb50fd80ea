#pragma once
// Linux screen over Xlib: the default screen's monitors and metrics, the root
// window's pixels, the pointer, and foreign windows' rectangles.
#include "base/surface.hpp"
#include "platform/screen.hpp"

struct _XDisplay;

namespace quimbel::linux_port {

class X11Screen : public platform::Screen {
 public:
  X11Screen();
  ~X11Screen() override;
  X11Screen(const X11Screen&) = delete;
  X11Screen& operator=(const X11Screen&) = delete;

  double TwipsPerPixelX() override { return twipsPerPixel_; }
  double TwipsPerPixelY() override { return twipsPerPixel_; }
  platform::Rect32 DesktopPx() override { return desktop_; }
  platform::Rect32 PrimaryMonitorPx() override { return primary_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

  // Takes a picture of the whole desktop now; captures read from it from then
  // on. The saver window takes it before it appears, so the desktop it
  // captures never shows the window itself.
  void HoldSnapshot();

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);
  base::Surface snapshot_;  // its top-left pixel is the desktop's corner
  bool holding_ = false;
  _XDisplay* display_ = nullptr;
  int widthPx_ = 0;  // the root window's size
  int heightPx_ = 0;
  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  double twipsPerPixel_ = 15;
};

// Twips per pixel for a logical dpi: 1440 / dpi, 15 when the dpi is unknown.
double TwipsPerPixelForDpi(double dpi);

}  // namespace quimbel::linux_port
