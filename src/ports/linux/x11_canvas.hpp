#pragma once
// Drawing into a window that another program owns (a host's preview pane, a
// screen-saver daemon's window), over a connection of our own, in raw Xlib:
// Qt cannot tell us when a foreign window is destroyed.
#include <memory>

#include "engine/surface.hpp"

struct _XDisplay;

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
  void Present(const engine::Surface& picture);

  // Handles the events that are waiting (exposure, destruction). Returns
  // false once the window we draw on is gone.
  bool ProcessEvents();
  bool Gone() const { return gone_; }
  // The connection's socket, to wake the caller's event loop.
  int SocketFd() const;
  // The host window's current size in pixels (0 × 0 once it is gone).
  int HostWidth();
  int HostHeight();

 private:
  X11Canvas(_XDisplay* display, unsigned long host, unsigned long target, Mode mode);
  void Draw();

  _XDisplay* display_ = nullptr;
  unsigned long host_ = 0;
  unsigned long target_ = 0;  // the window drawn on
  Mode mode_;
  void* gc_ = nullptr;
  engine::Surface picture_;
  bool gone_ = false;
};

}  // namespace quimbel::linux_port
