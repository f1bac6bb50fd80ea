#pragma once
// The screen as a hack sees it inside a screen-saver daemon's window: the
// drawing area is that window, over the desktop the daemon covered.
#include <functional>
#include <utility>

#include "platform/screen.hpp"

namespace quimbel::linux_port {

class HostedScreen : public platform::Screen {
 public:
  // Reads the part (x, y, width, height) of the host window (whose place on
  // the screen it is given) from the desktop as the daemon saw it before it
  // covered the screen; false when the daemon left no such picture.
  using DesktopPicture =
      std::function<bool(base::Surface&, const platform::Rect32&, int, int, int, int)>;

  // host: the daemon's window (its size and place on the screen).
  HostedScreen(platform::Screen& screen, platform::WindowHandle host, DesktopPicture picture = {})
      : screen_(screen), host_(host), picture_(std::move(picture)) {}

  // The host window is the whole desktop, and its one monitor, at the
  // primary monitor's scale.
  std::vector<platform::Monitor> Monitors() override;
  // What lies under the host window: the daemon's picture of the desktop,
  // else the screen itself.
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override;
  // The daemon's picture is the daemon's to keep and let go of.
  void HoldDesktop(const platform::Rect32&) override {}
  void ReleaseDesktop() override {}
  bool CursorPos(platform::Point32& p) override { return screen_.CursorPos(p); }
  void AskCursorPos() override { screen_.AskCursorPos(); }
  bool CaretPos(platform::Point32& p) override { return screen_.CaretPos(p); }
  std::optional<bool> DisplaysLit() override { return screen_.DisplaysLit(); }
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override {
    return screen_.WindowRect(handle, r);
  }

 private:
  platform::Rect32 HostRect();

  platform::Screen& screen_;
  platform::WindowHandle host_;
  DesktopPicture picture_;
};

}  // namespace quimbel::linux_port
