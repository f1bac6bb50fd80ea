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

// The RandR monitors, the primary one marked. Under Xwayland the root window
// may be far larger than the monitors, so the root's size is only the answer
// where RandR names no monitor.
std::vector<platform::Monitor> RandrMonitors(Display* display, double scale) {
  std::vector<platform::Monitor> result;
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
    // X has one dpi for the whole screen: every monitor shares it.
    result.push_back({{m.x, m.y, m.x + m.width, m.y + m.height}, scale, m.primary != 0});
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
  const double scale = DesktopDpi(display_) / 96;
  monitors_ = RandrMonitors(display_, scale);
  if (monitors_.empty())
    monitors_.push_back({{0, 0, widthPx_, heightPx_}, scale, true});
}

X11Screen::~X11Screen() {
  if (display_ != nullptr)
    XCloseDisplay(display_);
}

void X11Screen::HoldDesktop(const platform::Rect32& area) {
  held_.Hold(area, [this](base::Surface& dst, int x, int y, int w, int h) {
    return CaptureLive(dst, x, y, w, h);
  });
}

void X11Screen::ReleaseDesktop() {
  held_.Release();
}

bool X11Screen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  // The saver window paints nothing before its first frame: the core's
  // background may take the held picture itself.
  if (held_.Held())
    return held_.HandOver(dst, x, y, width, height);
  return CaptureLive(dst, x, y, width, height);
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
  std::optional<PointerAt> at = pointer_.Take();
  if (!at)
    return false;
  p.x = at->x;
  p.y = at->y;
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
