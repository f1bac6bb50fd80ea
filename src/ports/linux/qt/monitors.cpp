#include "ports/linux/qt/monitors.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace quimbel::linux_port {

std::vector<platform::Rect32> MonitorRects() {
  std::vector<platform::Rect32> rects;
  for (const QScreen* screen : QGuiApplication::screens()) {
    // Qt's own scaling is off, so its geometry is in device pixels.
    QRect g = screen->geometry();
    rects.push_back({g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
  }
  return rects;
}

}  // namespace quimbel::linux_port
