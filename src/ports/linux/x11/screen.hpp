#pragma once
// Linux screen over Xlib: the default screen's monitors and metrics, the root
// window's pixels, the pointer, and foreign windows' rectangles.
#include <vector>
#include "base/surface.hpp"

#include "platform/screen.hpp"
#include "ports/common/held_desktop.hpp"
#include "ports/linux/x11/pointer_probe.hpp"

struct _XDisplay;

namespace quimbel::linux_port {

class X11Screen : public platform::Screen {
 public:
  X11Screen();
  ~X11Screen() override;
  X11Screen(const X11Screen&) = delete;
  X11Screen& operator=(const X11Screen&) = delete;

  std::vector<platform::Monitor> Monitors() override { return monitors_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32& p) override;
  void AskCursorPos() override { pointer_.Ask(); }
  bool CaretPos(platform::Point32& p) override;
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override;
  // The server's DPMS state; lit where it has none.
  std::optional<bool> DisplaysLit() override;

  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override;

 private:
  bool CaptureLive(base::Surface& dst, int x, int y, int width, int height);
  ports::HeldDesktop held_;
  _XDisplay* display_ = nullptr;
  PointerProbe pointer_;
  int widthPx_ = 0;  // the root window's size
  int heightPx_ = 0;
  std::vector<platform::Monitor> monitors_;
};

}  // namespace quimbel::linux_port
