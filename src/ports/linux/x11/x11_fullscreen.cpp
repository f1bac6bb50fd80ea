#include "ports/linux/x11/x11_fullscreen.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace quimbel::linux_port {
namespace {

void SendToRoot(Display* display, Window window, const char* type, const long (&data)[5]) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, type, False);
  event.xclient.format = 32;
  for (int i = 0; i < 5; ++i)
    event.xclient.data.l[i] = data[i];
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

struct EdgeMonitors {
  long top = 0, bottom = 0, left = 0, right = 0;
  int count = 0;
};

// The monitors (in the order the manager numbers them, RandR's) that hold
// the desktop's top, bottom, left and right edges.
EdgeMonitors Edges(Display* display) {
  EdgeMonitors edges;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  if (monitors == nullptr)
    return edges;
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = monitors[i];
    const XRRMonitorInfo& t = monitors[edges.top];
    const XRRMonitorInfo& b = monitors[edges.bottom];
    const XRRMonitorInfo& l = monitors[edges.left];
    const XRRMonitorInfo& r = monitors[edges.right];
    if (m.y < t.y)
      edges.top = i;
    if (m.y + m.height > b.y + b.height)
      edges.bottom = i;
    if (m.x < l.x)
      edges.left = i;
    if (m.x + m.width > r.x + r.width)
      edges.right = i;
  }
  edges.count = count;
  XRRFreeMonitors(monitors);
  return edges;
}

}  // namespace

void RequestFullScreen(Display* display, unsigned long window) {
  if (display == nullptr || window == 0)
    return;
  constexpr long kAdd = 1;
  constexpr long kFromApplication = 1;
  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  // A manager reads the state when it takes the window on, and takes
  // messages only about windows it already manages: a busy one may meet the
  // window after this call, so the state is both written and asked for.
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeAppend, reinterpret_cast<unsigned char*>(&fullScreen), 1);
  const long state[5] = {kAdd, static_cast<long>(fullScreen), 0, kFromApplication, 0};
  SendToRoot(display, window, "_NET_WM_STATE", state);
  EdgeMonitors edges = Edges(display);
  if (edges.count > 1) {
    const long span[5] = {edges.top, edges.bottom, edges.left, edges.right, kFromApplication};
    SendToRoot(display, window, "_NET_WM_FULLSCREEN_MONITORS", span);
  }
  XFlush(display);
}

}  // namespace quimbel::linux_port
