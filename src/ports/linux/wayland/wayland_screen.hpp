#pragma once
// The screen of a Wayland session as the saver sees it: the outputs' logical
// rectangles, and the desktop as screencopy showed it before the saver's
// surfaces appeared. The pointer cannot be polled there: the saver's
// surfaces report its motion instead.
#include <vector>
#include "base/surface.hpp"

#include "platform/screen.hpp"
#include "ports/common/held_desktop.hpp"

namespace quimbel::linux_port {

class WaylandDisplay;

class WaylandScreen : public platform::Screen {
 public:
  explicit WaylandScreen(WaylandDisplay& display);

  // The outputs in the saver's pixels (InPixels) with their own scales; the
  // first output the compositor names is the primary one, since Wayland has
  // none.
  std::vector<platform::Monitor> Monitors() override { return monitors_; }
  // Captures copy the outputs with screencopy; where an output cannot be
  // copied its part stays black, and with no screencopy at all they fail
  // (the core's background is then black).
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  void HoldDesktop(const platform::Rect32& area) override;
  void ReleaseDesktop() override { held_.Release(); }
  bool CursorPos(platform::Point32&) override { return false; }
  bool CanPollPointer() override { return false; }
  bool CaretPos(platform::Point32& p) override;
  // Other clients' windows are not for a client to see.
  bool WindowRect(platform::WindowHandle, platform::Rect32&) override { return false; }

 private:
  bool CaptureOutputs(base::Surface& dst, int x, int y, int width, int height);

  WaylandDisplay& display_;
  std::vector<platform::Monitor> monitors_;
  ports::HeldDesktop held_;
};

}  // namespace quimbel::linux_port
