#pragma once
// A saver window's two timers, which belong to owner; each starts when the
// core asks for it, at the period it asks. The core's handlers never throw.
#include <QObject>
#include <QTimer>
#include <algorithm>

#include "platform/saver_window.hpp"

namespace quimbel::linux_port {

class SaverTimers {
 public:
  SaverTimers(QObject* owner, platform::SaverEvents& events)
      : timer1_(new QTimer(owner)), timer2_(new QTimer(owner)) {
    QObject::connect(timer1_, &QTimer::timeout, [&events] { events.OnTimer1(); });
    QObject::connect(timer2_, &QTimer::timeout, [&events] { events.OnTimer2(); });
  }
  void Start(platform::SaverTimer timer, int periodMs) {
    (timer == platform::SaverTimer::k1 ? timer1_ : timer2_)->start(std::max(periodMs, 1));
  }

 private:
  QTimer* timer1_;
  QTimer* timer2_;
};

}  // namespace quimbel::linux_port
