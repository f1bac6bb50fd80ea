#pragma once
// A saver run on the headless port, started through Main, for measuring.
#include <memory>

#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"

namespace quimbel::bench {

struct SaverSetup {
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};

  // Starts "/s" on a screen of this size with the built-in sprite sheets and
  // the whole cast mixed (music off unless asked for), on a display of this
  // scale (2: 192 dpi). The window keeps only its latest frame.
  SaverSetup(int width, int height, int caraCount, int saverType, int musicMode = 0,
             int displayScale = 1);

  headless::SaverRecord& Window() { return hp.savers.Last(); }
};

// Resident memory of this process in kilobytes (0 where it cannot be read).
long ResidentKilobytes();

}  // namespace quimbel::bench
