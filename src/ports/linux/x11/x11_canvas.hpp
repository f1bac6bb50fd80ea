#pragma once
// Drawing into a window that another program owns (a host's preview pane, a
// screen-saver daemon's window), over a connection of our own, in raw Xlib:
// Qt cannot tell us when a foreign window is destroyed.
#include <memory>
#include <span>
#include <vector>

#include "base/surface.hpp"

struct _XDisplay;
union _XEvent;

namespace quimbel::linux_port {

class X11Canvas {
 public:
  // How the canvas sits in the host window.
  enum class Mode {
    Child,   // a black child window of our own inside the host (moved and sized by us)
    Direct,  // the host window itself, at its own size
  };

  // Opens a connection to $DISPLAY and takes the host window; nothing when
  // there is no display or the host id names no window.
  static std::unique_ptr<X11Canvas> Attach(unsigned long host, Mode mode);
  ~X11Canvas();
  X11Canvas(const X11Canvas&) = delete;
  X11Canvas& operator=(const X11Canvas&) = delete;

  // Child mode only: position and size inside the host, in pixels.
  void SetGeometry(int left, int top, int width, int height);
  void Show();
  // Keeps a copy of the picture and draws it at the top-left corner, unscaled
  // and cut to the window; the rest stays black.
  void Present(const base::Surface& picture);
  // Memory shared with the X server for frames of this size, when the
  // server offers it (MIT-SHM) and takes our pixels as they are; otherwise
  // nullptr. It lives as long as the canvas.
  base::Pixel* FrameMemory(int width, int height);
  // Draws the changed rectangles of a frame that outlives the canvas and
  // keeps looking at it, without a copy, to repaint what is exposed.
  void PresentFrame(const base::Surface& frame, std::span<const base::Rect> changed);

  // Draws these rectangles of the frame again (the window system lost them).
  void Repaint(std::span<const base::Rect> rects) { Draw(rects); }
  // Returns once the server has read the shared memory for every frame sent
  // so far, so that it may be written again; at once when it has already
  // said so. Call it before anything may write the frame.
  void AwaitFrameRead();

  // Handles the events that are waiting (exposure, destruction). Returns
  // false once the window we draw on is gone.
  bool ProcessEvents();
  bool Gone() const { return gone_; }
  // The connection's socket, to wake the caller's event loop.
  int SocketFd() const;

 private:
  X11Canvas(_XDisplay* display, unsigned long host, unsigned long target, Mode mode);
  // Sends these rectangles of the shown picture to the window.
  void Draw(std::span<const base::Rect> rects);
  void DrawAll();
  void PutShared(std::span<const base::Rect> rects, const base::Surface& picture);
  void NoteCompletion(const _XEvent& event);
  void ReleaseShared();

  _XDisplay* display_ = nullptr;
  unsigned long host_ = 0;
  unsigned long target_ = 0;  // the window drawn on
  Mode mode_;
  void* gc_ = nullptr;
  base::Surface picture_;                 // Present's copy
  const base::Surface* shown_ = nullptr;  // picture_ or the frame given
  struct Shared;                          // the MIT-SHM image, if any
  std::unique_ptr<Shared> shared_;
  int completionType_ = -1;       // MIT-SHM's completion event
  unsigned long readSerial_ = 0;  // the put whose completion is awaited, if any
  std::vector<char> converted_;   // for servers that take other pixels
  bool gone_ = false;
};

}  // namespace quimbel::linux_port
