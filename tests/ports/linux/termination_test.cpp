#include "ports/linux/qt/termination.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>

#include "ports/linux/qt_app.hpp"

namespace quimbel::linux_port {
namespace {

TEST(Termination, SignalsAreHandledOnceFromTheEventLoopNotInsideTheHandler) {
  TestApp();
  int calls = 0;
  OnTermination([&calls] { ++calls; });
  std::raise(SIGTERM);
  std::raise(SIGTERM);
  // Nothing runs inside the signal handler itself.
  EXPECT_EQ(calls, 0);
  QElapsedTimer clock;
  clock.start();
  while (calls == 0 && clock.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace quimbel::linux_port
