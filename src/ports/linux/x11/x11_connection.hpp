#pragma once
// A connection of its own for one question about other clients' windows.
// Such windows may vanish meanwhile, and their errors only mean "no answer":
// while the connection is open, X errors are ignored.
#include <X11/Xlib.h>

namespace quimbel::linux_port {

class X11Connection {
 public:
  X11Connection();
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  // Nothing when there is no display to connect to.
  Display* get() const { return display_; }

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

}  // namespace quimbel::linux_port
