// The Qt saver window: frameless and above the others; and the contract
// every saver window keeps, with input arriving as Qt events at its window.
#include "ports/linux/qt/saver_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "ports/linux/qt_app.hpp"
#include "ports/linux/x11/screen.hpp"
#include "support/saver_window_conformance.hpp"

namespace quimbel::linux_port {
namespace {

struct QtDriver {
  static constexpr bool kSeesTheScreenUnder = false, kTimersRunByThemselves = true;
  QtDriver() {
    TestApp();
    const QRect all = QGuiApplication::primaryScreen()->geometry();
    screenPx = {all.x(), all.y(), all.width(), all.height()};
  }
  ~QtDriver() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  base::Rect screenPx;
  X11Screen x11;  // no display here: it holds no picture
  QtSaverFactory factory;
  QWidget* widget = nullptr;

  platform::SaverWindowFactory& Factory() { return factory; }
  platform::Screen& Screen() { return x11; }
  base::Rect ScreenPx() { return screenPx; }
  void PaintDesktop(base::Pixel) {}
  bool Find(std::string_view title) {
    // Destroyed windows go from the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    widget = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->windowTitle().toStdString() == title)
        widget = top;
    return widget != nullptr;
  }
  bool Visible() { return widget->isVisible(); }
  base::Rect GeometryPx() {
    const QRect r = widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
  }
  // What reached the window's backing store, as the screen would show it.
  base::Pixel ShownAt(int x, int y) {
    QCoreApplication::processEvents();
    return widget->screen()->grabWindow(widget->winId()).toImage().pixel(x, y) & 0xFFFFFFu;
  }
  template <class Done>
  void RunUntil(Done done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  void SystemRepaint() { widget->repaint(); }
  // Posted to the window, which hands them on as the platform's input.
  void Click(int x, int y) { Mouse(QEvent::MouseButtonPress, x, y, Qt::LeftButton); }
  void Key() {
    QCoreApplication::postEvent(widget->windowHandle(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier));
  }
  void MovePointer(int x, int y) { Mouse(QEvent::MouseMove, x, y, Qt::NoButton); }
  bool DefaultPointer() { return widget->cursor().shape() == Qt::ArrowCursor; }

  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button) {
    const QPointF at(x, y);
    QCoreApplication::postEvent(
        widget->windowHandle(),
        new QMouseEvent(type, at, widget->mapToGlobal(at), button, button, Qt::NoModifier));
  }
};

using QtSaverWindow = conformance::SaverWindowConformance<QtDriver>;

TEST_F(QtSaverWindow, IsFramelessAndStaysOnTop) {
  Create();
  EXPECT_TRUE(driver.widget->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(driver.widget->windowFlags() & Qt::WindowStaysOnTopHint);
}

// A key pressed elsewhere and repeated here (XWayland's stuck key after a box
// closed on it) does not end the run, whether Qt marks the repeats or they
// come as a release and a press of the same time; a key pressed here does.
TEST_F(QtSaverWindow, RepeatsEndOnlyAfterAPressSeenHere) {
  Start(base::kBlack);
  auto key = [&](QEvent::Type type, bool repeat, ulong time) {
    auto* e = new QKeyEvent(type, Qt::Key_Return, Qt::NoModifier, QString(), repeat);
    e->setTimestamp(time);
    QCoreApplication::postEvent(driver.widget->windowHandle(), e);
  };
  key(QEvent::KeyRelease, true, 100);
  key(QEvent::KeyPress, true, 100);
  key(QEvent::KeyRelease, false, 140);
  key(QEvent::KeyPress, false, 140);
  driver.Click(5, 5);  // a marker behind the keys: once it is in, they are too
  RunUntil([&] { return events.clicks > 0; });
  EXPECT_EQ(events.keys, 0);
  key(QEvent::KeyRelease, false, 180);
  key(QEvent::KeyPress, false, 900);
  RunUntil([&] { return events.keys > 0; });
  EXPECT_EQ(events.keys, 1);
}

}  // namespace
}  // namespace quimbel::linux_port

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, SaverWindowConformance, linux_port::QtDriver);
}  // namespace quimbel::conformance
