#pragma once
// Whether an X display can be opened, before anything needs one.
#include <optional>
#include <string>

namespace quimbel::linux_port {

struct DisplayInfo {
  std::string name;        // as the connection reports it, e.g. ":0"
  unsigned long root = 0;  // the default screen's root window
};

// Opens $DISPLAY once and closes it again; nothing when that fails.
std::optional<DisplayInfo> ProbeDisplay();

// The display name Xlib would use ($DISPLAY), for the message when it fails.
std::string RequestedDisplayName();

}  // namespace quimbel::linux_port
