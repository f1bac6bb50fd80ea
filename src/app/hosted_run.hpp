#pragma once
// A hosted run (RunMode::Hosted): the saver drawn in a screen-saver daemon's
// window, the daemon having started the program as one of its hacks. The
// daemon decides what runs, watches the user itself and ends its hack with a
// signal (app::RequestEnd); it starts one hack per monitor; a settings
// program may show a hack small in a window of its own. So, unlike the saver
// run of the program's own command line:
// - no single-instance test: another saver or an open settings dialog does
//   not stop a hack (Main makes neither look-up);
// - neither the pointer nor the caret ends the run;
// - the tune plays only where the host covers a screen, and there one hack
//   at a time per display: the one that holds the display's tune lock. The
//   others' tunes count as playing, silently, and start as soon as the lock
//   comes free (a daemon's cycle starts the next hack while the last one is
//   still ending).
#include <optional>

#include "app/program.hpp"
#include "platform/hosting.hpp"

namespace quimbel::app {

// The daemon's window when the port reports one; nothing otherwise.
std::optional<platform::HostWindow> HostWindowOf(platform::Platform& platform);

// Whether a host window is a saver over the screen, where the tune belongs:
// the daemon's own saver window, or any window that covers a whole monitor.
// rect: the window's screen rectangle.
bool HostCoversAScreen(const platform::HostWindow& host, const platform::Rect32& rect);

// Fixes the run values of a hosted run in host's window.
void SetUpHostedRun(Program& program, const platform::HostWindow& host);

}  // namespace quimbel::app
