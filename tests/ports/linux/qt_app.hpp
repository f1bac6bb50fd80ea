#pragma once
// One QApplication for the whole test program, on Qt's offscreen platform so
// no display is needed.
#include <QApplication>

namespace quimbel::linux_port {

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "quimbel_port_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    auto* created = new QApplication(argc, argv);
    // Tests close their forms; the loop must not end for that.
    QApplication::setQuitOnLastWindowClosed(false);
    return created;
  }();
  return *app;
}

}  // namespace quimbel::linux_port
