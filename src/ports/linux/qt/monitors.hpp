#pragma once
// The monitors as the application sees them, for the daemon's window facts.
#include <vector>

#include "platform/screen.hpp"

namespace quimbel::linux_port {

// Every monitor's rectangle, in device pixels.
std::vector<platform::Rect32> MonitorRects();

}  // namespace quimbel::linux_port
