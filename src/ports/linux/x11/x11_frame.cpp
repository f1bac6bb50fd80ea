#include "ports/linux/x11/x11_frame.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace quimbel::linux_port {
namespace {

// The format-32 items of a window's property (as longs, whatever the size of
// long); empty when it is absent or of another type.
std::vector<long> Items(Display* display, Window window, Atom property, Atom type, long most) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> items;
  if (XGetWindowProperty(display, window, property, 0, most, False, type, &actualType, &format,
                         &count, &after, &data) != Success ||
      data == nullptr)
    return items;
  if (format == 32) {
    const long* v = reinterpret_cast<const long*>(data);
    items.assign(v, v + count);
  }
  XFree(data);
  return items;
}

// Whether the window manager lists atom among the _NET_SUPPORTED hints of
// the root window; false without a window manager.
bool Supported(Display* display, Window root, Atom atom) {
  Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
  for (long item : Items(display, root, supported, XA_ATOM, 4096))
    if (static_cast<Atom>(item) == atom)
      return true;
  return false;
}

std::optional<FrameExtents> ReadExtents(Display* display, Window window, Atom extents) {
  std::vector<long> v = Items(display, window, extents, XA_CARDINAL, 4);
  if (v.size() != 4)
    return std::nullopt;
  return FrameExtents{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                      static_cast<int>(v[3])};
}

}  // namespace

std::optional<FrameExtents> RequestFrameExtents(Display* display, unsigned long window,
                                                int timeoutMs) {
  if (display == nullptr || window == 0)
    return std::nullopt;
  Window root = DefaultRootWindow(display);
  Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  if (!Supported(display, root, request))
    return std::nullopt;

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = request;
  event.xclient.format = 32;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);

  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (std::optional<FrameExtents> found = ReadExtents(display, window, extents))
      return found;
    if (std::chrono::steady_clock::now() >= end)
      return std::nullopt;
    ::usleep(2000);
  }
}

}  // namespace quimbel::linux_port
