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
  bool Capture(engine::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;

 private:
  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  double twipsPerPixelX_ = 15;
  double twipsPerPixelY_ = 15;
};

// Twips per pixel for a logical dpi: 1440 / dpi, 15 when the dpi is unknown.
double TwipsPerPixelForDpi(int dpi);

}  // namespace quimbel::win32_port
