#pragma once
// A whole saver run on the headless port: "/s" through Main with the test
// sheets, then events fired by hand.
#include <string>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"
#include "support/test_sheets.hpp"

namespace quimbel::fixtures {

struct SaverRun {
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};

  SaverRun(int width, int height, int caraCount, int caraType, int saverType, int musicMode = 0) {
    hp.screen.SetMetrics(width, height, 96);
    hp.store.Set("number of cara", std::to_string(caraCount));
    hp.store.Set("type of cara", std::to_string(caraType));
    hp.store.Set("saver type", std::to_string(saverType));
    hp.store.Set("music mode", std::to_string(musicMode));
    hp.process.commandLine = "/s";
    for (int k = 0; k < 7; ++k)
      program.saver.pat[k] = &TestSheets()[k];
  }

  void Start() { app::RunMain(program); }
  headless::SaverRecord& Window() { return hp.savers.Last(); }
  void Ticks(int n) {
    for (int k = 0; k < n; ++k)
      Window().FireTimer1();
  }
  engine::CaraState& Slot(int i) { return program.saver.caraTable[i]; }
};

}  // namespace quimbel::fixtures
