#include "ports/linux/saver_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include "ports/headless/screen.hpp"
#include "ports/linux/qt_app.hpp"
#include "ports/linux/screen.hpp"
#include "support/counting_saver_events.hpp"

namespace quimbel::linux_port {
namespace {

using CountingEvents = fixtures::CountingSaverEvents;

QWidget* SaverWidget() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowTitle() == QStringLiteral("SAVER Screen"))
      return top;
  }
  return nullptr;
}

void Click(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(widget, &press);
}

// Runs the event loop until done() or 3 s have passed.
template <class Done>
void RunEventsUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

class QtSaver : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    screen.SetMetrics(320, 200, 12);
  }
  void TearDown() override {
    // Destroyed windows go from the event loop; let them go before the next test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  headless::HeadlessScreen screen;
  X11Screen x11;  // no display here: its snapshot stays empty
  QtSaverFactory factory{screen, x11};
  CountingEvents events;
};

TEST_F(QtSaver, TwipsPlaceTheWindowAndFramesShowAsGiven) {
  auto window = factory.CreateSaverWindow("SAVER Screen", events);
  QWidget* widget = SaverWidget();
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(widget->windowFlags() & Qt::WindowStaysOnTopHint);
  window->SetSizeTwips(320 * 12, 200 * 12);
  window->SetPositionTwips(320 * 12, 200 * 12);  // beyond the bottom-right corner first
  EXPECT_EQ(widget->pos(), QPoint(320, 200));
  window->SetFocusHolderBounds(30, 30, -50, 0);
  window->Show();
  window->FocusHolder();
  window->SetPositionTwips(0, 0);
  EXPECT_EQ(widget->geometry(), QRect(0, 0, 320, 200));

  // What reached the window's backing store, as the screen would show it.
  auto onScreen = [&] {
    QCoreApplication::processEvents();
    return widget->screen()->grabWindow(widget->winId()).toImage();
  };
  engine::Surface frame(320, 200, engine::Rgb(10, 20, 30));
  frame.At(5, 7) = engine::Rgb(200, 100, 50);
  const engine::Rect whole{0, 0, 320, 200};
  window->Present(frame, std::span<const engine::Rect>(&whole, 1));
  QImage shown = onScreen();
  EXPECT_EQ(shown.pixel(5, 7) & 0xFFFFFF, 0xC86432u);
  EXPECT_EQ(shown.pixel(100, 100) & 0xFFFFFF, 0x0A141Eu);

  // Only the changed rectangles are repainted; the rest keeps what it shows.
  frame.At(5, 7) = engine::kWhite;
  frame.At(60, 40) = engine::Rgb(1, 2, 3);
  frame.At(300, 190) = engine::Rgb(4, 5, 6);
  const engine::Rect changed[] = {{50, 30, 20, 20}, {290, 180, 30, 20}};
  window->Present(frame, changed);
  shown = onScreen();
  EXPECT_EQ(shown.pixel(60, 40) & 0xFFFFFF, 0x010203u);
  EXPECT_EQ(shown.pixel(300, 190) & 0xFFFFFF, 0x040506u);
  EXPECT_EQ(shown.pixel(5, 7) & 0xFFFFFF, 0xC86432u) << "outside the rectangles: as before";
}

TEST_F(QtSaver, TimersClicksAndKeysReachTheCore) {
  auto window = factory.CreateSaverWindow("SAVER Screen", events);
  window->SetSizeTwips(320 * 12, 200 * 12);
  window->SetFocusHolderBounds(30, 30, -50, 0);
  window->Show();
  window->FocusHolder();
  RunEventsUntil([&] { return events.timer1 >= 2; });
  EXPECT_GE(events.timer1, 2);
  EXPECT_GT(events.timer2, events.timer1);

  QWidget* widget = SaverWidget();
  Click(widget, QPoint(50, 50));
  EXPECT_EQ(events.clicks, 1);
  QWidget* holder = widget->focusWidget();
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(holder->geometry(), QRect(-50, 0, 30, 30));
  Key(holder, Qt::Key_A, Qt::ShiftModifier);
  EXPECT_EQ(events.keys, 1);

  // Pointer motion arrives in screen pixels, with no button held.
  window->SetPositionTwips(40 * 12, 30 * 12);
  QMouseEvent move(QEvent::MouseMove, QPointF(7, 9), widget->mapToGlobal(QPointF(7, 9)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
  EXPECT_EQ(events.moves, 1);
  EXPECT_EQ(events.lastX, widget->mapToGlobal(QPoint(7, 9)).x());
  EXPECT_EQ(events.lastY, widget->mapToGlobal(QPoint(7, 9)).y());
  EXPECT_TRUE(widget->hasMouseTracking());
}

}  // namespace
}  // namespace quimbel::linux_port
