#pragma once
// Whether a daemon's window is a saver covering the screen, where the tune
// belongs, or another program's small preview of the hack, where it does not.
#include <string_view>
#include <vector>

#include "platform/screen.hpp"

namespace quimbel::linux_port {

// The daemon's own saver window (class "XScreenSaver"), or any window that
// covers a whole monitor (what other daemons hand their hacks).
bool IsFullScreenHost(std::string_view windowClass, const platform::Rect32& host,
                      const std::vector<platform::Rect32>& monitors);

// The monitors as the application sees them, in device pixels.
std::vector<platform::Rect32> MonitorRects();

}  // namespace quimbel::linux_port
