#pragma once
// The scene's scale: how many device pixels, across and down, one pixel of
// the cast takes, so that a character keeps its size on a dense display.
namespace quimbel::engine {

// The most a scene is enlarged: beyond it (768 dpi) a scale is taken for a
// fault of the system's, and the positions past the screen's edges that the
// cast needs would no longer fit in 16 bits on a wide desktop.
inline constexpr int kLargestSceneScale = 8;

// The whole number nearest to the display's scale (logical dpi / 96), halves
// going up, from 1 to kLargestSceneScale: 1 up to 149 %, 2 from 150 % to
// 249 %, 3 from 250 %. A scale that is not a positive number gives 1.
int SceneScaleFor(double displayScale);

}  // namespace quimbel::engine
