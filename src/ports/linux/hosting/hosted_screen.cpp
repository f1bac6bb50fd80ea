#include "ports/linux/hosting/hosted_screen.hpp"

namespace quimbel::linux_port {

platform::Rect32 HostedScreen::HostRect() {
  platform::Rect32 r;
  screen_.WindowRect(host_, r);
  return r;
}

std::vector<platform::Monitor> HostedScreen::Monitors() {
  platform::Rect32 r = HostRect();
  return {{{0, 0, r.right - r.left, r.bottom - r.top}, screen_.PrimaryMonitorScale(), true}};
}

bool HostedScreen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  platform::Rect32 r = HostRect();
  if (picture_ && picture_(dst, r, x, y, width, height))
    return true;
  return screen_.Capture(dst, r.left + x, r.top + y, width, height);
}

}  // namespace quimbel::linux_port
