#include "ports/linux/x11_frame.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>

namespace quimbel::linux_port {
namespace {

// Whether the window manager lists atom among the _NET_SUPPORTED hints of
// the root window; false without a window manager.
bool Supported(Display* display, Window root, Atom atom) {
  Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, root, supported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                         &after, &data) != Success ||
      data == nullptr)
    return false;
  bool found = false;
  if (format == 32) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i)
      found = atoms[i] == atom;
  }
  XFree(data);
  return found;
}

std::optional<FrameExtents> ReadExtents(Display* display, Window window, Atom extents) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) != Success ||
      data == nullptr)
    return std::nullopt;
  std::optional<FrameExtents> result;
  if (format == 32 && count == 4) {
    // Format-32 items arrive as longs, whatever the size of long.
    const long* v = reinterpret_cast<const long*>(data);
    result = FrameExtents{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                          static_cast<int>(v[3])};
  }
  XFree(data);
  return result;
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
