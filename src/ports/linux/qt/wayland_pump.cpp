#include "ports/linux/qt/wayland_pump.hpp"

#include <QAbstractEventDispatcher>

namespace quimbel::linux_port {

WaylandPump::WaylandPump(WaylandDisplay& display, std::function<void()> onGone)
    : display_(display), onGone_(std::move(onGone)) {
  notifier_ = std::make_unique<QSocketNotifier>(display_.Fd(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Handle(true); });
  // Requests made between two wake-ups (a frame's commit) go out, and
  // events read while waiting for a reply are handled, before the loop sleeps.
  if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
    beforeSleep_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                    [this] { Handle(false); });
  }
}

WaylandPump::~WaylandPump() {
  QObject::disconnect(beforeSleep_);
}

void WaylandPump::Handle(bool read) {
  if (reported_)
    return;
  if (read ? display_.ReadEvents() : display_.DispatchPending())
    return;
  reported_ = true;
  notifier_->setEnabled(false);
  if (onGone_)
    onGone_();
}

}  // namespace quimbel::linux_port
