#include "ports/linux/x11/x11_canvas.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>

#include "ports/linux/x11/x11_image.hpp"

namespace quimbel::linux_port {
namespace {

// Requests on a window that died meanwhile fail with BadWindow or
// BadDrawable; they must not end the process through Xlib's default handler.
bool gErrorSeen = false;
int NoteError(Display*, XErrorEvent*) {
  gErrorSeen = true;
  return 0;
}

// Errors that arrive while it is set are noted, not fatal, and nothing waits.
class Quiet {
 public:
  Quiet() : previous_(XSetErrorHandler(NoteError)) {}
  ~Quiet() { XSetErrorHandler(previous_); }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  XErrorHandler previous_;
};

bool TakeError() {
  const bool seen = gErrorSeen;
  gErrorSeen = false;
  return seen;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    // Frames go out without waiting: an error of theirs that comes in now
    // means the window died, as one of this trap's requests would.
    previous_ = XSetErrorHandler(NoteError);
    Settle();
  }
  ~ErrorTrap() {
    Settle();
    XSetErrorHandler(previous_);
  }
  // Waits for the server's answer to everything sent so far.
  bool Failed() {
    Settle();
    return TakeError();
  }

 private:
  // A round trip only while requests are unanswered: a frame costs the
  // server one wake-up for its answer, not three.
  void Settle() {
    if (NextRequest(display_) - 1 != LastKnownRequestProcessed(display_))
      XSync(display_, False);
  }

 public:
 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

base::Rect Clipped(base::Rect r, const base::Surface& picture) {
  const int right = std::min(r.x + r.width, picture.Width());
  const int bottom = std::min(r.y + r.height, picture.Height());
  r.x = std::max(r.x, 0);
  r.y = std::max(r.y, 0);
  r.width = right - r.x;
  r.height = bottom - r.y;
  return r;
}

// Writes the rectangle of the picture into the image in the server's format.
void Convert(Display* display, const base::Surface& picture, XImage* image, base::Rect r) {
  int screen = DefaultScreen(display);
  Visual* visual = DefaultVisual(display, screen);
  auto scale = [](unsigned long mask, unsigned v) {
    if (mask == 0)
      return 0UL;
    int shift = __builtin_ctzl(mask);
    unsigned long max = mask >> shift;
    return ((static_cast<unsigned long>(v) * max + 127) / 255) << shift;
  };
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) {
      base::Pixel p = picture.At(x, y);
      unsigned long value = 0;
      if (visual->c_class == TrueColor || visual->c_class == DirectColor) {
        value = scale(visual->red_mask, (p >> 16) & 0xFF) |
                scale(visual->green_mask, (p >> 8) & 0xFF) | scale(visual->blue_mask, p & 0xFF);
      } else {
        value = (p & 0xFFFFFF) != 0 ? WhitePixel(display, screen) : BlackPixel(display, screen);
      }
      XPutPixel(image, x, y, value);
    }
  }
}

}  // namespace

struct X11Canvas::Shared {
  XShmSegmentInfo info{};
  XImage* image = nullptr;
};

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
  ReleaseShared();
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

void X11Canvas::Present(const base::Surface& picture) {
  picture_ = picture;
  shown_ = &picture_;
  DrawAll();
}

void X11Canvas::PresentFrame(const base::Surface& frame, std::span<const base::Rect> changed) {
  shown_ = &frame;
  Draw(changed);
}

base::Pixel* X11Canvas::FrameMemory(int width, int height) {
  if (gone_ || shared_ || width <= 0 || height <= 0 || !XShmQueryExtension(display_))
    return nullptr;
  int screen = DefaultScreen(display_);
  auto shared = std::make_unique<Shared>();
  XImage* image =
      XShmCreateImage(display_, DefaultVisual(display_, screen),
                      static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, nullptr,
                      &shared->info, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image == nullptr)
    return nullptr;
  if (!TakesOurPixels(image) || image->bytes_per_line != width * 4) {
    XDestroyImage(image);
    return nullptr;
  }
  const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * height;
  shared->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  void* memory =
      shared->info.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(shared->info.shmid, nullptr, 0);
  bool failed = memory == reinterpret_cast<void*>(-1);
  if (!failed) {
    shared->info.shmaddr = image->data = static_cast<char*>(memory);
    shared->info.readOnly = False;
    // A server on another machine cannot attach: it says so with an error.
    ErrorTrap trap(display_);
    failed = !XShmAttach(display_, &shared->info) || trap.Failed();
  }
  // The segment goes once both sides have let go of it, even after a crash.
  if (shared->info.shmid >= 0)
    shmctl(shared->info.shmid, IPC_RMID, nullptr);
  if (failed) {
    if (memory != reinterpret_cast<void*>(-1))
      shmdt(memory);
    image->data = nullptr;
    XDestroyImage(image);
    return nullptr;
  }
  shared->image = image;
  shared_ = std::move(shared);
  completionType_ = XShmGetEventBase(display_) + ShmCompletion;
  return reinterpret_cast<base::Pixel*>(image->data);
}

void X11Canvas::ReleaseShared() {
  if (!shared_)
    return;
  {
    ErrorTrap trap(display_);
    XShmDetach(display_, &shared_->info);
  }
  shmdt(shared_->info.shmaddr);
  shared_->image->data = nullptr;
  XDestroyImage(shared_->image);
  shared_.reset();
}

void X11Canvas::DrawAll() {
  if (shown_ == nullptr)
    return;
  const base::Rect whole{0, 0, shown_->Width(), shown_->Height()};
  Draw(std::span<const base::Rect>(&whole, 1));
}

void X11Canvas::Draw(std::span<const base::Rect> rects) {
  if (gone_ || shown_ == nullptr || shown_->Empty())
    return;
  const base::Surface& picture = *shown_;
  const auto width = static_cast<unsigned>(picture.Width());
  const auto height = static_cast<unsigned>(picture.Height());
  // The frame in shared memory goes as it is; other pixels through an image
  // that looks at them, or converted when the server takes another format.
  if (shared_ && shared_->image->data == reinterpret_cast<const char*>(picture.Data())) {
    PutShared(rects, picture);
    return;
  }
  GC gc = static_cast<GC>(gc_);
  int screen = DefaultScreen(display_);
  XImage* image = XCreateImage(display_, DefaultVisual(display_, screen),
                               static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, 0,
                               nullptr, width, height, 32, 0);
  if (image == nullptr)
    return;
  if (TakesOurPixels(image) && image->bytes_per_line == picture.Width() * 4) {
    image->data = reinterpret_cast<char*>(const_cast<base::Pixel*>(picture.Data()));
  } else {
    converted_.resize(static_cast<std::size_t>(image->bytes_per_line) * height);
    image->data = converted_.data();
    for (base::Rect r : rects)
      Convert(display_, picture, image, Clipped(r, picture));
  }
  ErrorTrap trap(display_);
  for (base::Rect r : rects) {
    r = Clipped(r, picture);
    if (!r.Empty())
      XPutImage(display_, target_, gc, image, r.x, r.y, r.x, r.y, static_cast<unsigned>(r.width),
                static_cast<unsigned>(r.height));
  }
  image->data = nullptr;  // our pixels, not Xlib's to free
  XDestroyImage(image);
  if (trap.Failed())
    gone_ = true;
}

// Nobody waits for the server here: it reads the memory when it gets to the
// requests, and AwaitFrameRead makes sure it has before the core writes again.
void X11Canvas::PutShared(std::span<const base::Rect> rects, const base::Surface& picture) {
  std::vector<base::Rect> parts;
  for (base::Rect r : rects)
    if (r = Clipped(r, picture); !r.Empty())
      parts.push_back(r);
  if (parts.empty())
    return;
  Quiet quiet;
  GC gc = static_cast<GC>(gc_);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const base::Rect& r = parts[i];
    const bool last = i + 1 == parts.size();
    // The server takes the puts in turn: the last one's completion event
    // says it is done with the memory.
    if (last)
      readSerial_ = NextRequest(display_);
    XShmPutImage(display_, target_, gc, shared_->image, r.x, r.y, r.x, r.y,
                 static_cast<unsigned>(r.width), static_cast<unsigned>(r.height), last);
  }
  XFlush(display_);
  if (TakeError())
    gone_ = true;
}

void X11Canvas::NoteCompletion(const XEvent& event) {
  if (readSerial_ != 0 && event.xany.serial >= readSerial_)
    readSerial_ = 0;
}

void X11Canvas::AwaitFrameRead() {
  if (readSerial_ == 0 || gone_)
    return;
  Quiet quiet;
  // Normally the event came in while we slept: it is taken without waiting.
  XEvent event{};
  while (XCheckTypedEvent(display_, completionType_, &event))
    NoteCompletion(event);
  if (readSerial_ != 0 && LastKnownRequestProcessed(display_) < readSerial_)
    XSync(display_, False);
  readSerial_ = 0;
  if (TakeError())
    gone_ = true;
}

bool X11Canvas::ProcessEvents() {
  Quiet quiet;
  while (!gone_ && XPending(display_) > 0) {
    XEvent event{};
    XNextEvent(display_, &event);
    if (shared_ && event.type == completionType_) {
      NoteCompletion(event);
      continue;
    }
    switch (event.type) {
      case DestroyNotify:
        if (event.xdestroywindow.window == target_ || event.xdestroywindow.window == host_)
          gone_ = true;
        break;
      case Expose: {
        const base::Rect exposed{event.xexpose.x, event.xexpose.y, event.xexpose.width,
                                 event.xexpose.height};
        Draw(std::span<const base::Rect>(&exposed, 1));
        break;
      }
      default:
        break;
    }
  }
  if (TakeError())
    gone_ = true;
  return !gone_;
}

}  // namespace quimbel::linux_port
