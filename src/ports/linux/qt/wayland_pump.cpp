#include "ports/linux/qt/wayland_pump.hpp"

#include <QAbstractEventDispatcher>

namespace quimbel::linux_port {

WaylandPump::WaylandPump(WaylandDisplay& display, std::function<void()> onGone)
    : display_(display), onGone_(std::move(onGone)) {
  // Requests made since the last sleep (a frame's commit) go out, and what
  // came in is read and handled, before the loop sleeps.
  if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
    beforeSleep_ =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { Handle(); });
  }
}

WaylandPump::~WaylandPump() {
  QObject::disconnect(beforeSleep_);
}

void WaylandPump::Handle() {
  if (reported_ || display_.ReadEvents())
    return;
  reported_ = true;
  if (onGone_)
    onGone_();
}

}  // namespace quimbel::linux_port
