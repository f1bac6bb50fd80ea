#pragma once
// The arguments a screen-saver daemon (xscreensaver) gives its hacks, turned
// into a saver run inside the daemon's window.
#include <optional>
#include <string>
#include <vector>

namespace quimbel::linux_port {

struct HostedRun {
  // The window to draw in; 0 means the root window.
  unsigned long window = 0;
};

// Reads argv (program name first). Nothing when the arguments are the host
// command line of our own ("/s", "/p N", "/c", ...). "-root"/"--root" take
// $XSCREENSAVER_WINDOW (hex "0x..." or decimal) or else the root window;
// "-window-id"/"--window-id" take the id that follows, also written
// "--window-id=N". Options the daemon may add for any hack ("-install",
// "-visual X", "-fps", ...) are skipped. A malformed id is an error text.
struct HostedParse {
  std::optional<HostedRun> run;
  std::string error;  // set when the arguments are for a hosted run but unusable
};
HostedParse ParseHostArguments(const std::vector<std::string>& args, const char* environmentWindow);

// An X window id as the daemon writes it: "0x1c00007", "0X1C00007" or
// "29360135". Nothing for an empty, negative, zero or malformed text.
std::optional<unsigned long> ParseWindowId(const std::string& text);

}  // namespace quimbel::linux_port
