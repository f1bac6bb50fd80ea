#include "ports/linux/x11/pointer_probe.hpp"

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>

namespace quimbel::linux_port {

PointerProbe::PointerProbe() = default;

void PointerProbe::Connect() {
  if (tried_)
    return;
  tried_ = true;
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && it.rem > 0; ++i)
    xcb_screen_next(&it);
  if (it.rem == 0) {
    xcb_disconnect(connection);
    return;
  }
  root_ = it.data->root;
  connection_ = connection;
}

PointerProbe::~PointerProbe() {
  if (connection_ != nullptr)
    xcb_disconnect(connection_);
}

void PointerProbe::Ask() {
  Connect();
  if (connection_ == nullptr || asked_)
    return;
  asked_ = xcb_query_pointer(connection_, root_).sequence;
  xcb_flush(connection_);
}

std::optional<PointerAt> PointerProbe::Take() {
  const bool askedBefore = asked_.has_value();
  Ask();
  if (!asked_)
    return std::nullopt;
  xcb_query_pointer_reply_t* reply = nullptr;
  if (askedBefore) {
    void* answer = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(connection_, *asked_, &answer, &error) == 0)
      return std::nullopt;  // still on its way
    std::free(error);
    reply = static_cast<xcb_query_pointer_reply_t*>(answer);
  } else {
    reply = xcb_query_pointer_reply(connection_, xcb_query_pointer_cookie_t{*asked_}, nullptr);
  }
  asked_.reset();
  if (reply == nullptr)
    return std::nullopt;
  PointerAt at{reply->root_x, reply->root_y};
  std::free(reply);
  return at;
}

}  // namespace quimbel::linux_port
