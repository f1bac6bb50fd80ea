#pragma once
// What a screen-saver daemon leaves on the window it hands its hack: its
// class, and the picture of the desktop it took before it blanked the screen.
#include <string>

#include "engine/surface.hpp"

namespace quimbel::linux_port {

// The class part of the window's WM_CLASS ("XScreenSaver" for the daemon's
// own windows); empty when it has none or there is no display.
std::string X11WindowClass(unsigned long window);

// Copies the part (x, y, width, height), in root coordinates, of the desktop
// picture named by the window's _SCREENSAVER_SCREENSHOT (a pixmap) into dst
// from its top-left corner; where the picture ends (it may be smaller or
// larger than the screen, as after a screen change) dst is black. False,
// with dst untouched, when the window has no such picture.
bool CopyDaemonScreenshot(unsigned long window, engine::Surface& dst, int x, int y, int width,
                          int height);

}  // namespace quimbel::linux_port
