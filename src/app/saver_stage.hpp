#pragma once
// The engine's view of a saver run: the program's state and values that the
// cast and the frames read, handed over for one call.
#include "app/program.hpp"
#include "engine/stage.hpp"

namespace quimbel::app {

inline engine::Stage SaverStage(Program& program) {
  const SaverSettings& s = program.settings;
  const RunValues& run = program.run;
  return {program.saver, program.platform.random, s.CaraCount,       s.CaraType,
          s.SaverType,   run.RandomCaraType,      run.ScreenWidthPx, run.ScreenHeightPx,
          run.SceneScale};
}

}  // namespace quimbel::app
