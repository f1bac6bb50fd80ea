#include "ports/linux/x11/screen.hpp"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdlib>

#include "ports/linux/x11/display_power.hpp"
#include "ports/linux/x11/x11_image.hpp"

namespace quimbel::linux_port {
namespace {

// The logical dpi the desktop asks for (Xft.dpi), else 96.
double DesktopDpi(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr)
    return 96;
  XrmInitialize();
  XrmDatabase db = XrmGetStringDatabase(resources);
  double dpi = 96;
  char* type = nullptr;
  XrmValue value{};
  if (db != nullptr && XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    double v = std::atof(value.addr);
    if (v >= 48 && v <= 480)
      dpi = v;
  }
  if (db != nullptr)
    XrmDestroyDatabase(db);
  return dpi;
}

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

struct Monitors {
  platform::Rect32 all;
  platform::Rect32 primary;
  bool found = false;
};

// The RandR monitors: their bounding box and the primary one (else the first).
// Under Xwayland the root window may be far larger than the monitors, so the
// root's size is only the answer where RandR names no monitor.
Monitors RandrMonitors(Display* display) {
  Monitors result;
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 5)) {
    return result;
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  if (monitors == nullptr)
    return result;
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = monitors[i];
    if (m.width <= 0 || m.height <= 0)
      continue;
    platform::Rect32 r{m.x, m.y, m.x + m.width, m.y + m.height};
    if (!result.found) {
      result.all = r;
      result.primary = r;
      result.found = true;
    } else {
      result.all = platform::Bounds(result.all, r);
    }
    if (m.primary)
      result.primary = r;
  }
  XRRFreeMonitors(monitors);
  return result;
}

}  // namespace

X11Screen::X11Screen() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr)
    return;
  int screen = DefaultScreen(display_);
  widthPx_ = DisplayWidth(display_, screen);
  heightPx_ = DisplayHeight(display_, screen);
  Monitors monitors = RandrMonitors(display_);
  if (monitors.found) {
    desktop_ = monitors.all;
    primary_ = monitors.primary;
  } else {
    desktop_ = primary_ = platform::Rect32{0, 0, widthPx_, heightPx_};
  }
  scale_ = DesktopDpi(display_) / 96;
}

X11Screen::~X11Screen() {
  if (display_ != nullptr)
    XCloseDisplay(display_);
}

void X11Screen::HoldDesktop(const platform::Rect32& area) {
  snapshot_ = base::Surface();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;
  base::Surface picture(width, height);
  if (CaptureLive(picture, area.left, area.top, width, height)) {
    snapshot_ = std::move(picture);
    snapshotArea_ = area;
  }
}

void X11Screen::ReleaseDesktop() {
  snapshot_ = base::Surface();
}

bool X11Screen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  if (snapshot_.Empty())
    return CaptureLive(dst, x, y, width, height);
  return platform::CaptureHeld(snapshot_, snapshotArea_.left, snapshotArea_.top, dst, x, y, width,
                               height);
}

bool X11Screen::CaptureLive(base::Surface& dst, int x, int y, int width, int height) {
  if (display_ == nullptr)
    return false;
  int w = std::min({width, dst.Width(), widthPx_ - x});
  int h = std::min({height, dst.Height(), heightPx_ - y});
  if (w <= 0 || h <= 0 || x < 0 || y < 0)
    return false;
  auto previous = XSetErrorHandler(IgnoreErrors);
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
  XSetErrorHandler(previous);
  if (image == nullptr)
    return false;
  CopyXImage(display_, image, dst, 0, 0, w, h);
  XDestroyImage(image);
  return true;
}

bool X11Screen::CursorPos(platform::Point32& p) {
  if (display_ == nullptr)
    return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &winX,
                     &winY, &mask)) {
    return false;
  }
  p.x = rootX;
  p.y = rootY;
  return true;
}

bool X11Screen::CaretPos(platform::Point32& p) {
  // X has no system caret; the program never shows one, so it stays at the origin.
  p.x = 0;
  p.y = 0;
  return true;
}

bool X11Screen::WindowRect(platform::WindowHandle handle, platform::Rect32& r) {
  if (display_ == nullptr || handle <= 0)
    return false;
  auto previous = XSetErrorHandler(IgnoreErrors);
  XWindowAttributes attributes{};
  Window window = static_cast<Window>(handle);
  bool ok = XGetWindowAttributes(display_, window, &attributes) != 0;
  int rootX = 0, rootY = 0;
  Window child = 0;
  if (ok) {
    ok = XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &rootX, &rootY,
                               &child) != 0;
  }
  XSync(display_, False);
  XSetErrorHandler(previous);
  if (!ok)
    return false;
  r.left = rootX;
  r.top = rootY;
  r.right = rootX + attributes.width;
  r.bottom = rootY + attributes.height;
  return true;
}

}  // namespace quimbel::linux_port

namespace quimbel::linux_port {

std::optional<bool> X11Screen::DisplaysLit() {
  return LitFromDpms(ReadDpms(display_));
}

}  // namespace quimbel::linux_port
