#pragma once
// A program on the headless port with the saver's surfaces sized and the
// test sheets in place, for driving the cast and the drawing directly.
#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"
#include "support/test_sheets.hpp"

namespace quimbel::fixtures {

struct EngineFixture {
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};
  engine::SaverState& saver = program.saver;

  EngineFixture(int width, int height, int caraCount, int caraType, int saverType = 2) {
    program.run.ScreenWidthPx = width;
    program.run.ScreenHeightPx = height;
    program.settings.CaraCount = caraCount;
    program.settings.CaraType = caraType;
    program.settings.SaverType = saverType;
    saver.scr_bkg.Reset(width, height);
    saver.scr_work.Reset(width, height);
    for (int k = 0; k < 7; ++k)
      saver.pat[k] = &TestSheets()[k];
  }

  void Script(std::initializer_list<double> draws) {
    hp.random.script.insert(hp.random.script.end(), draws);
  }

  engine::CaraState& Slot(int i) { return saver.caraTable[i]; }
  void Place(int i, int x, int y, int heading, int phase, int kind) {
    engine::CaraState& s = Slot(i);
    s.PosX = x;
    s.PosY = y;
    s.Heading = heading;
    s.Phase = phase;
    s.Kind = kind;
  }
};

// The error number a call raises (0 when it raises none).
template <class F>
int ErrorOf(F&& f) {
  try {
    f();
  } catch (const base::RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace quimbel::fixtures
