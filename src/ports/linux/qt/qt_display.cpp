#include "ports/linux/qt/qt_display.hpp"

#include <QGuiApplication>

namespace quimbel::linux_port {

_XDisplay* QtX11Display() {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->display() : nullptr;
}

}  // namespace quimbel::linux_port
