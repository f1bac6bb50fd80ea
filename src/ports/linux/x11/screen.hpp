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

  double PrimaryMonitorScale() override { return scale_; }
  platform::Rect32 DesktopPx() override { return desktop_; }
  platform::Rect32 PrimaryMonitorPx() override { return primary_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;
  // The server's DPMS state; lit where it has none.
  std::optional<bool> DisplaysLit() override;

  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override;

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);
  base::Surface snapshot_;  // while held; its top-left pixel is snapshotArea_'s
  platform::Rect32 snapshotArea_;
  _XDisplay* display_ = nullptr;
  int widthPx_ = 0;  // the root window's size
  int heightPx_ = 0;
  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  double scale_ = 1;
};

}  // namespace quimbel::linux_port
