#include "engine/scene_scale.hpp"

#include <cmath>

namespace quimbel::engine {

int SceneScaleFor(double displayScale) {
  // Halves go up: at 150 % a character drawn at 1 would show at two thirds
  // of its size, at 2 at four thirds; the smaller one is what users of dense
  // displays complain about, the larger still shows whole.
  if (!(displayScale >= 1.5))
    return 1;  // also NaN and anything not positive
  if (displayScale >= kLargestSceneScale)
    return kLargestSceneScale;
  return static_cast<int>(std::floor(displayScale + 0.5));
}

}  // namespace quimbel::engine
