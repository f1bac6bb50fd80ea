#pragma once
// Feeds the Wayland connection's events through Qt's event loop (the
// saver's own connection, not Qt's), and says when the compositor is gone.
#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "ports/linux/wayland/wayland_display.hpp"

namespace quimbel::linux_port {

class WaylandPump {
 public:
  // onGone runs once, from the event loop, when the connection breaks.
  WaylandPump(WaylandDisplay& display, std::function<void()> onGone);
  ~WaylandPump();
  WaylandPump(const WaylandPump&) = delete;
  WaylandPump& operator=(const WaylandPump&) = delete;

 private:
  void Handle(bool read);
  WaylandDisplay& display_;
  std::function<void()> onGone_;
  bool reported_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  QMetaObject::Connection beforeSleep_;
};

}  // namespace quimbel::linux_port
