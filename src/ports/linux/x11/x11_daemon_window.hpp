#pragma once
// What a screen-saver daemon leaves on the window it hands its hack: its
// class, and the picture of the desktop it took before it blanked the screen.
#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

// Whether the window is one of the daemon's own saver windows (WM_CLASS
// "XScreenSaver"), not a settings program's window that shows the hack small.
// False when it has no class or there is no display.
bool IsDaemonSaverWindow(unsigned long window);

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
