// Stands in for a host that lends the program a window: a preview pane or a
// screen-saver daemon's window. Creates a top-level window, prints its id in
// decimal and hex, keeps it until a line "destroy" (or end of input) arrives
// on stdin, then destroys it and waits a moment for the program to notice.
//
//   host_window WIDTH HEIGHT [X Y]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: host_window WIDTH HEIGHT [X Y]\n");
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
  int screen = DefaultScreen(display);
  // A white host, so whatever the program draws stands out against it.
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0,
                                      BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "quimbel test host");
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
