#include "ports/linux/qt/canvas_pump.hpp"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace quimbel::linux_port {

CanvasPump::CanvasPump(X11Canvas& canvas, std::function<void()> onGone, Wake wake)
    : canvas_(canvas), onGone_(std::move(onGone)) {
  if (wake == Wake::OnEvents) {
    notifier_ = std::make_unique<QSocketNotifier>(canvas_.SocketFd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Pump(); });
  }
  // Xlib reads events into its own queue while it waits for replies; those
  // never wake the socket, so look again each time the loop goes to sleep.
  if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
    beforeSleep_ =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { Pump(); });
  }
}

CanvasPump::~CanvasPump() {
  QObject::disconnect(beforeSleep_);
}

bool CanvasPump::Pump() {
  if (canvas_.ProcessEvents())
    return true;
  if (!reported_) {
    reported_ = true;
    if (notifier_)
      notifier_->setEnabled(false);
    if (onGone_)
      onGone_();
  }
  return false;
}

}  // namespace quimbel::linux_port
