#pragma once
// An output's pixels as the compositor shows them, copied with the
// screencopy protocol.
#include "base/surface.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

// Copies output into dst, scaled to dst's size (the output's size in the
// saver's pixels: the same as the copy's where the output's scale is the
// saver's). Waits for the compositor.
// False, leaving dst as it was, when the compositor cannot or will not.
bool CopyOutput(WaylandGlobals& globals, WaylandOutput& output, base::Surface& dst);

}  // namespace quimbel::linux_port
