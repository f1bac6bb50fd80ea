#include "ports/linux/qt/termination.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace quimbel::linux_port {
namespace {

int gPipe[2] = {-1, -1};

void WakeLoop(int) {
  char byte = 1;
  // Only async-signal-safe calls here; a full pipe already holds a wake-up.
  [[maybe_unused]] ssize_t n = ::write(gPipe[1], &byte, 1);
}

}  // namespace

void OnTermination(std::function<void()> onSignal) {
  if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  // Lives as long as the process: the handler may fire at any time.
  auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated, [notifier, onSignal] {
    char buffer[16];
    while (::read(gPipe[0], buffer, sizeof buffer) > 0) {
    }
    notifier->setEnabled(false);
    onSignal();
  });
  struct sigaction action {};
  action.sa_handler = WakeLoop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace quimbel::linux_port
