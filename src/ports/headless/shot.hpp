#pragma once
// A saver run without a display, for pictures: the headless port, the given
// settings, a number of animation ticks, and the frame shown at the end.
#include <string>

#include "base/surface.hpp"

namespace quimbel::headless {

struct ShotOptions {
  long ticks = 100;
  int width = 640;
  int height = 360;
  int saverType = 2;
  int caraType = 8;
  int caraCount = 20;
  int dpi = 96;  // the display's: 192 shows the cast as on a 200 % display
};

// The frame the saver window shows after the ticks; an empty surface, with
// the reason in error, when the run did not start or reported an error.
base::Surface RunShot(const ShotOptions& options, std::string& error);

// The desktop the capturing saver types start from: a sky-blue wash, darker
// at the top, so the characters and the shadows they leave stand out.
base::Surface MadeUpDesktop(int width, int height);

}  // namespace quimbel::headless
