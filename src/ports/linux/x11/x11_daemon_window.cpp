#include "ports/linux/x11/x11_daemon_window.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "ports/linux/x11/x11_connection.hpp"
#include "ports/linux/x11/x11_image.hpp"

namespace quimbel::linux_port {
namespace {

std::optional<Pixmap> ScreenshotPixmap(Display* display, Window window) {
  Atom name = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", True);
  if (name == None)
    return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, name, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                         &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<Pixmap> pixmap;
  // Format 32 arrives as longs, whatever their size.
  if (data != nullptr && type == XA_PIXMAP && format == 32 && count == 1)
    pixmap = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
  if (data != nullptr)
    XFree(data);
  if (pixmap && *pixmap == None)
    return std::nullopt;
  return pixmap;
}

}  // namespace

bool IsDaemonSaverWindow(unsigned long window) {
  X11Connection connection;
  if (connection.get() == nullptr)
    return false;
  XClassHint hint{};
  if (XGetClassHint(connection.get(), static_cast<Window>(window), &hint) == 0)
    return false;
  bool daemons = hint.res_class != nullptr && std::string_view(hint.res_class) == "XScreenSaver";
  if (hint.res_name != nullptr)
    XFree(hint.res_name);
  if (hint.res_class != nullptr)
    XFree(hint.res_class);
  return daemons;
}

int DaemonPictureOffset(int windowPos, int windowSize, int pictureSize) {
  if (windowSize >= pictureSize)
    return -((windowSize - pictureSize) / 2);
  return windowPos;
}

bool CopyDaemonScreenshot(unsigned long window, const platform::Rect32& host, base::Surface& dst,
                          int x, int y, int width, int height) {
  X11Connection connection;
  Display* display = connection.get();
  if (display == nullptr)
    return false;
  std::optional<Pixmap> pixmap = ScreenshotPixmap(display, static_cast<Window>(window));
  if (!pixmap)
    return false;
  Window root = 0;
  int px = 0, py = 0;
  unsigned int pw = 0, ph = 0, border = 0, depth = 0;
  if (XGetGeometry(display, *pixmap, &root, &px, &py, &pw, &ph, &border, &depth) == 0)
    return false;
  int w = std::min(width, dst.Width());
  int h = std::min(height, dst.Height());
  for (int row = 0; row < h; ++row)
    std::fill(dst.Row(row), dst.Row(row) + w, base::kBlack);
  // The asked rectangle in the picture's coordinates, and the part it holds.
  int fromX = x + DaemonPictureOffset(host.left, host.right - host.left, static_cast<int>(pw));
  int fromY = y + DaemonPictureOffset(host.top, host.bottom - host.top, static_cast<int>(ph));
  int left = std::max(fromX, 0), top = std::max(fromY, 0);
  int right = std::min(fromX + w, static_cast<int>(pw));
  int bottom = std::min(fromY + h, static_cast<int>(ph));
  if (right <= left || bottom <= top)
    return true;
  XImage* image = XGetImage(display, *pixmap, left, top, static_cast<unsigned>(right - left),
                            static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
  if (image == nullptr)
    return false;
  CopyXImage(display, image, dst, left - fromX, top - fromY, right - left, bottom - top);
  XDestroyImage(image);
  return true;
}

}  // namespace quimbel::linux_port
