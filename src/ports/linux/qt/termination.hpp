#pragma once
// SIGTERM (how a screen-saver daemon ends its hack), SIGINT and SIGHUP,
// handled in the event loop rather than inside the signal handler.
#include <functional>

namespace quimbel::linux_port {

// Installs the handlers; onSignal runs on the GUI thread, once, from the Qt
// event loop. Call after the QApplication exists.
void OnTermination(std::function<void()> onSignal);

}  // namespace quimbel::linux_port
