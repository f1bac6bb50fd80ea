#include "ports/linux/qt/saver_host.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace quimbel::linux_port {

bool IsFullScreenHost(std::string_view windowClass, const platform::Rect32& host,
                      const std::vector<platform::Rect32>& monitors) {
  if (windowClass == "XScreenSaver")
    return true;
  for (const platform::Rect32& m : monitors) {
    bool covers = m.right > m.left && m.bottom > m.top && host.left <= m.left &&
                  host.top <= m.top && host.right >= m.right && host.bottom >= m.bottom;
    if (covers)
      return true;
  }
  return false;
}

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
