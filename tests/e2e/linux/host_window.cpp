// Stands in for a host that lends the program a window: a preview pane or a
// screen-saver daemon's window. Creates a top-level window, prints its id in
// decimal and hex, keeps it until a line "destroy" (or end of input) arrives
// on stdin, then destroys it and waits a moment for the program to notice.
// With a role it is instead a window that a window manager keeps above the
// others: "dock" (a panel along the top edge, reserving its height) or
// "above" (_NET_WM_STATE_ABOVE), coloured #13579B so it can be told apart.
// The role "saver" is a white host of the class a daemon gives its own
// saver windows ("XScreenSaver").
//
//   host_window WIDTH HEIGHT [X Y [dock|above|saver]]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: host_window WIDTH HEIGHT [X Y [dock|above|saver]]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "host_window: no display\n");
    return 1;
  }
  unsigned width = static_cast<unsigned>(std::atoi(argv[1]));
  unsigned height = static_cast<unsigned>(std::atoi(argv[2]));
  int x = argc > 4 ? std::atoi(argv[3]) : 0;
  int y = argc > 4 ? std::atoi(argv[4]) : 0;
  std::string role = argc > 5 ? argv[5] : "";
  bool host = role.empty() || role == "saver";
  int screen = DefaultScreen(display);
  // A white host, so whatever the program draws stands out against it.
  unsigned long background = host ? WhitePixel(display, screen) : 0x13579B;
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0,
                                      BlackPixel(display, screen), background);
  XStoreName(display, window, host ? "quimbel test host" : ("quimbel test " + role).c_str());
  auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
  if (role == "dock") {
    Atom type = atom("_NET_WM_WINDOW_TYPE_DOCK");
    XChangeProperty(display, window, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&type), 1);
    // left, right, top, bottom, then the start and end of each.
    long strut[12] = {0, 0, static_cast<long>(y + height),    0, 0, 0, 0,
                      0, x, static_cast<long>(x + width - 1), 0, 0};
    XChangeProperty(display, window, atom("_NET_WM_STRUT_PARTIAL"), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
  } else if (role == "saver") {
    char name[] = "host";
    char saverClass[] = "XScreenSaver";
    XClassHint hint{name, saverClass};
    XSetClassHint(display, window, &hint);
  } else if (role == "above") {
    Atom state = atom("_NET_WM_STATE_ABOVE");
    XChangeProperty(display, window, atom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&state), 1);
  }
  XSizeHints hints{};
  hints.flags = PPosition | PSize;
  hints.x = x;
  hints.y = y;
  hints.width = static_cast<int>(width);
  hints.height = static_cast<int>(height);
  XSetWMNormalHints(display, window, &hints);
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("%lu 0x%lx\n", window, window);
  std::fflush(stdout);

  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    if (std::string(line).rfind("destroy", 0) == 0)
      break;
  }
  XDestroyWindow(display, window);
  XSync(display, False);
  XCloseDisplay(display);
  return 0;
}
