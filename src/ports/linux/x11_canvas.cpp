#include "ports/linux/x11_canvas.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

namespace quimbel::linux_port {
namespace {

// Requests on a window that died meanwhile fail with BadWindow or
// BadDrawable; they must not end the process through Xlib's default handler.
bool gErrorSeen = false;
int NoteError(Display*, XErrorEvent*) {
  gErrorSeen = true;
  return 0;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    gErrorSeen = false;
    previous_ = XSetErrorHandler(NoteError);
  }
  ~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  // Waits for the server's answer to everything sent so far.
  bool Failed() {
    XSync(display_, False);
    return gErrorSeen;
  }

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

}  // namespace

std::unique_ptr<X11Canvas> X11Canvas::Attach(unsigned long host, Mode mode) {
  if (host == 0)
    return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return nullptr;
  Window target = 0;
  bool failed = false;
  {
    // The trap syncs on the display when it ends: close the display only after.
    ErrorTrap trap(display);
    XWindowAttributes attributes{};
    failed = XGetWindowAttributes(display, host, &attributes) == 0 || trap.Failed();
    if (!failed && mode == Mode::Child) {
      int screen = DefaultScreen(display);
      target = XCreateSimpleWindow(display, host, 0, 0, 1, 1, 0, BlackPixel(display, screen),
                                   BlackPixel(display, screen));
      XSelectInput(display, target, ExposureMask | StructureNotifyMask);
      XStoreName(display, target, "preview window");
    } else if (!failed) {
      target = host;
      XSelectInput(display, target,
                   attributes.your_event_mask | ExposureMask | StructureNotifyMask);
    }
    failed = failed || trap.Failed();
  }
  if (failed) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::unique_ptr<X11Canvas>(new X11Canvas(display, host, target, mode));
}

X11Canvas::X11Canvas(_XDisplay* display, unsigned long host, unsigned long target, Mode mode)
    : display_(display), host_(host), target_(target), mode_(mode) {
  gc_ = XCreateGC(display_, target_, 0, nullptr);
}

X11Canvas::~X11Canvas() {
  {
    ErrorTrap trap(display_);
    if (gc_ != nullptr)
      XFreeGC(display_, static_cast<GC>(gc_));
    if (mode_ == Mode::Child && !gone_)
      XDestroyWindow(display_, target_);
  }
  XCloseDisplay(display_);
}

int X11Canvas::SocketFd() const {
  return XConnectionNumber(display_);
}

void X11Canvas::SetGeometry(int left, int top, int width, int height) {
  if (mode_ != Mode::Child || gone_)
    return;
  ErrorTrap trap(display_);
  // X has no empty windows: a zero size leaves a 1 × 1 black dot.
  XMoveResizeWindow(display_, target_, left, top, static_cast<unsigned>(std::max(width, 1)),
                    static_cast<unsigned>(std::max(height, 1)));
  if (trap.Failed())
    gone_ = true;
}

void X11Canvas::Show() {
  if (gone_)
    return;
  ErrorTrap trap(display_);
  if (mode_ == Mode::Child)
    XMapWindow(display_, target_);
  if (trap.Failed())
    gone_ = true;
}

void X11Canvas::Present(const engine::Surface& picture) {
  picture_ = picture;
  Draw();
}

void X11Canvas::Draw() {
  if (gone_ || picture_.Empty())
    return;
  int screen = DefaultScreen(display_);
  Visual* visual = DefaultVisual(display_, screen);
  int depth = DefaultDepth(display_, screen);
  XImage* image = XCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(picture_.Width()),
                               static_cast<unsigned>(picture_.Height()), 32, 0);
  if (image == nullptr)
    return;
  bool direct = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
                image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
                image->byte_order == LSBFirst;
  std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * picture_.Height();
  if (direct && image->bytes_per_line == picture_.Width() * 4) {
    image->data = reinterpret_cast<char*>(picture_.Data());
  } else {
    image->data = static_cast<char*>(std::malloc(bytes));
    if (image->data == nullptr) {
      XDestroyImage(image);
      return;
    }
    for (int y = 0; y < picture_.Height(); ++y) {
      for (int x = 0; x < picture_.Width(); ++x) {
        engine::Pixel p = picture_.At(x, y);
        unsigned long value = 0;
        if (visual->c_class == TrueColor || visual->c_class == DirectColor) {
          auto scale = [](unsigned long mask, unsigned v) {
            if (mask == 0)
              return 0UL;
            int shift = __builtin_ctzl(mask);
            unsigned long max = mask >> shift;
            return ((static_cast<unsigned long>(v) * max + 127) / 255) << shift;
          };
          value = scale(visual->red_mask, (p >> 16) & 0xFF) |
                  scale(visual->green_mask, (p >> 8) & 0xFF) | scale(visual->blue_mask, p & 0xFF);
        } else {
          value = (p & 0xFFFFFF) != 0 ? WhitePixel(display_, screen) : BlackPixel(display_, screen);
        }
        XPutPixel(image, x, y, value);
      }
    }
  }
  ErrorTrap trap(display_);
  XPutImage(display_, target_, static_cast<GC>(gc_), image, 0, 0, 0, 0,
            static_cast<unsigned>(picture_.Width()), static_cast<unsigned>(picture_.Height()));
  if (direct && image->data == reinterpret_cast<char*>(picture_.Data()))
    image->data = nullptr;  // our pixels, not Xlib's to free
  XDestroyImage(image);
  if (trap.Failed())
    gone_ = true;
}

bool X11Canvas::ProcessEvents() {
  while (!gone_ && XPending(display_) > 0) {
    XEvent event{};
    XNextEvent(display_, &event);
    switch (event.type) {
      case DestroyNotify:
        if (event.xdestroywindow.window == target_ || event.xdestroywindow.window == host_)
          gone_ = true;
        break;
      case Expose:
        if (event.xexpose.count == 0)
          Draw();
        break;
      default:
        break;
    }
  }
  return !gone_;
}

int X11Canvas::HostWidth() {
  if (gone_)
    return 0;
  ErrorTrap trap(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, host_, &attributes) == 0 || trap.Failed())
    return 0;
  return attributes.width;
}

int X11Canvas::HostHeight() {
  if (gone_)
    return 0;
  ErrorTrap trap(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, host_, &attributes) == 0 || trap.Failed())
    return 0;
  return attributes.height;
}

}  // namespace quimbel::linux_port
