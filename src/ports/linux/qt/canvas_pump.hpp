#pragma once
// Feeds a foreign-window canvas's X events through Qt's event loop and says
// when the window is gone.
#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "ports/linux/x11/x11_canvas.hpp"

namespace quimbel::linux_port {

class CanvasPump {
 public:
  // When the canvas's events wake the loop: as they come, or never (they
  // are then handled whenever the loop goes to sleep after something else).
  enum class Wake { OnEvents, Never };
  // onGone runs once, from the event loop, when the canvas's window dies.
  CanvasPump(X11Canvas& canvas, std::function<void()> onGone, Wake wake = Wake::OnEvents);
  ~CanvasPump();
  CanvasPump(const CanvasPump&) = delete;
  CanvasPump& operator=(const CanvasPump&) = delete;

  // Handles what is waiting now; true while the window lives.
  bool Pump();

 private:
  X11Canvas& canvas_;
  std::function<void()> onGone_;
  bool reported_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  QMetaObject::Connection beforeSleep_;
};

}  // namespace quimbel::linux_port
