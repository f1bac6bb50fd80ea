#pragma once
// What the saver covers: the whole desktop, every monitor of it, as far as the
// run's 16-bit positions reach.
#include "platform/screen.hpp"

namespace quimbel::app {

struct SaverArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The desktop's rectangle cut to what 16-bit positions can address: corners
// within -32768 to 32767, a width that leaves room for the characters'
// entries beyond the right edge at the scene's scale. Where the desktop is larger, the part kept
// starts at the primary monitor's edge, so the primary is covered first.
SaverArea FitSaverArea(const platform::Rect32& desktop, const platform::Rect32& primary,
                       int sceneScale = 1);

}  // namespace quimbel::app
