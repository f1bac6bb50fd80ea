#pragma once
// What the cast and the frames work on: the saver's state, the random source
// and the run's values they read. The program hands it over for each call, so
// the engine never sees more of the program than this.
#include "base/int16.hpp"
#include "engine/saver_state.hpp"
#include "platform/random.hpp"

namespace quimbel::engine {

struct Stage {
  SaverState& saver;
  platform::Random& random;
  base::Int16 CaraCount;
  base::Int16 CaraType;
  base::Int16 SaverType;
  base::Int16 RandomCaraType;  // the character drawn by lot when CaraType is 7
  base::Int16 ScreenWidthPx;
  base::Int16 ScreenHeightPx;
  // Device pixels per sprite pixel, across and down (engine/scene_scale).
  int SceneScale = 1;
};

}  // namespace quimbel::engine
