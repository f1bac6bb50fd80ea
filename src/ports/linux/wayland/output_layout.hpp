#pragma once
// Where each Wayland output lies in the one scene the saver draws: the scene
// spans the outputs' logical rectangles, and each output's surface shows the
// part of the frame under it. No Wayland header here: the arithmetic is
// tested on its own.
#include <span>
#include <vector>

#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

// An output's logical rectangle in the compositor's global space.
struct OutputArea {
  int x = 0, y = 0, width = 0, height = 0;
};

// The parts of changed (rectangles of a frame whose top-left pixel lies at
// frameOrigin of the global space) that fall on output, in the output's own
// coordinates; rectangles that miss it are left out.
std::vector<base::Rect> DamageOnOutput(std::span<const base::Rect> changed,
                                       platform::Point32 frameOrigin, const OutputArea& output);

}  // namespace quimbel::linux_port
