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

// An output's rectangle: logical, in the compositor's global space, or in
// the saver's pixels.
struct OutputArea {
  int x = 0, y = 0, width = 0, height = 0;
};

// The saver draws in one pixel space: the compositor's logical space times
// one whole scale, the first output's (where the user sits, and the one the
// core takes the scene's scale from). Outputs of that scale show the
// saver's pixels one to one, the desktop picture sharp; an output of
// another scale gets as many pixels as its logical size times that scale,
// and the compositor enlarges or reduces them to its own.
OutputArea InPixels(const OutputArea& logical, int scale);

// The parts of changed (rectangles of a frame whose top-left pixel lies at
// frameOrigin of the global space) that fall on output, in the output's own
// coordinates; rectangles that miss it are left out.
std::vector<base::Rect> DamageOnOutput(std::span<const base::Rect> changed,
                                       platform::Point32 frameOrigin, const OutputArea& output);

}  // namespace quimbel::linux_port
