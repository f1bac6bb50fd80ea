#include "ports/linux/x11/x11_connection.hpp"

namespace quimbel::linux_port {
namespace {

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

}  // namespace

X11Connection::X11Connection() : display_(XOpenDisplay(nullptr)) {
  if (display_ != nullptr)
    previous_ = XSetErrorHandler(IgnoreErrors);
}

X11Connection::~X11Connection() {
  if (display_ == nullptr)
    return;
  // The errors of the last requests arrive before the handler goes back.
  XSync(display_, False);
  XSetErrorHandler(previous_);
  XCloseDisplay(display_);
}

}  // namespace quimbel::linux_port
