#pragma once
// The screen of a Wayland session as the saver sees it: the outputs' logical
// rectangles, and the desktop as screencopy showed it before the saver's
// surfaces appeared. The pointer cannot be polled there: the saver's
// surfaces report its motion instead.
#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

class WaylandDisplay;

class WaylandScreen : public platform::Screen {
 public:
  explicit WaylandScreen(WaylandDisplay& display);

  // Wayland clients draw in logical pixels at 96 dpi; the compositor scales.
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  platform::Rect32 DesktopPx() override { return desktop_; }
  // The first output the compositor names: Wayland has no primary one.
  platform::Rect32 PrimaryMonitorPx() override { return primary_; }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  bool CursorPos(platform::Point32&) override { return false; }
  bool CanPollPointer() override { return false; }
  bool CaretPos(platform::Point32& p) override;
  // Other clients' windows are not for a client to see.
  bool WindowRect(platform::WindowHandle, platform::Rect32&) override { return false; }

  // Copies every output now; captures read from that picture from then on.
  // Where an output cannot be copied its part stays black; with no
  // screencopy at all, captures fail (the core's background is then black).
  void HoldSnapshot();

 private:
  WaylandDisplay& display_;
  platform::Rect32 desktop_;
  platform::Rect32 primary_;
  base::Surface snapshot_;  // its top-left pixel is the desktop's corner
  bool holding_ = false;
};

}  // namespace quimbel::linux_port
