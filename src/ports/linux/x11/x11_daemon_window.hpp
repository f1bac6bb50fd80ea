#pragma once
// What a screen-saver daemon leaves on the window it hands its hack: its
// class, and the picture of the desktop it took before it blanked the screen.
#include <string>

#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

// The class part of the window's WM_CLASS ("XScreenSaver" for the daemon's
// own windows); empty when it has none or there is no display.
std::string X11WindowClass(unsigned long window);

// Copies the part (x, y, width, height) of the window, in its own
// coordinates, from the picture of the desktop the daemon took before it
// blanked the screen (the pixmap named by the window's
// _SCREENSAVER_SCREENSHOT) into dst from its top-left corner; black where
// the picture does not reach. False, with dst untouched, when the window has
// no such picture.
bool CopyDaemonScreenshot(unsigned long window, const platform::Rect32& host, base::Surface& dst,
                          int x, int y, int width, int height);

// Where the window's pixels lie in the daemon's picture, along one axis: add
// the result to a window coordinate. The picture is of the whole screen
// (then the window takes the part at its own place on it) or of the window
// alone, one per monitor (then it covers the window); a picture smaller than
// the window, as after a change of screen size, sits in the window's middle.
int DaemonPictureOffset(int windowPos, int windowSize, int pictureSize);

}  // namespace quimbel::linux_port
