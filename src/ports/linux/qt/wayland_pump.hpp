#pragma once
// Feeds the Wayland connection's events through Qt's event loop (the
// saver's own connection, not Qt's), and says when the compositor is gone.
// The connection wakes nobody: each frame's commit brings the release of
// the buffer shown before, and waking for that would nearly double the
// run's wake-ups. Its events are read each time the loop goes to sleep,
// which the saver's tick timer makes at least ten times a second, so the
// user's first move is seen within a tick.
#include <QObject>
#include <functional>

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
  void Handle();
  WaylandDisplay& display_;
  std::function<void()> onGone_;
  bool reported_ = false;
  QMetaObject::Connection beforeSleep_;
};

}  // namespace quimbel::linux_port
