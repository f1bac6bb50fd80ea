#pragma once
// The seam: a run inside a screen-saver daemon's window. Where a daemon can
// start the program as one of its hacks, the port says whether it did and in
// which window, and offers the display's tune lock; what such a run does is
// the core's decision (app/hosted_run.hpp).
#include <optional>
#include <vector>

#include "platform/screen.hpp"

namespace quimbel::platform {

// The daemon's window the program was started to draw in, as the port found it.
struct HostWindow {
  WindowHandle window = 0;
  // The daemon's own saver window, which covers the screen whatever size it
  // reports; not a settings program's preview of the hack.
  bool daemonsSaverWindow = false;
  // Every monitor's rectangle in screen pixels.
  std::vector<Rect32> monitors;
};

class Hosting {
 public:
  virtual ~Hosting() = default;

  // The daemon's window when a daemon started the program; nothing when the
  // command line is the program's own.
  virtual std::optional<HostWindow> HostedIn() = 0;

  // One lock per display, shared by every process of the program on it (a
  // daemon starts one hack per monitor). Takes it when it is free; true while
  // this process holds it, also when it held it already. False while another
  // process holds it, or when no lock can be had.
  virtual bool TakeTuneLock() = 0;
  // Gives it back at once. Ending the process, however it ends, gives it back too.
  virtual void GiveTuneLock() = 0;
};

}  // namespace quimbel::platform
