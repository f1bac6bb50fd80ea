#include "ports/linux/x11/display.hpp"

#include <X11/Xlib.h>

namespace quimbel::linux_port {

std::optional<DisplayInfo> ProbeDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return std::nullopt;
  DisplayInfo info{DisplayString(display), DefaultRootWindow(display)};
  XCloseDisplay(display);
  return info;
}

std::string RequestedDisplayName() {
  return XDisplayName(nullptr);
}

}  // namespace quimbel::linux_port
