#pragma once
// Building and showing a frame: background, the walking cast, the window.
#include "base/int16.hpp"

namespace quimbel::engine {

struct Stage;

// Sprite-sheet geometry: 4 x 2 cells, the images above their masks.
inline constexpr int kCellWidth = 80;
inline constexpr int kCellHeight = 140;
inline constexpr int kSheetColumns = 4;
inline constexpr int kSheetWidth = kCellWidth * kSheetColumns;
inline constexpr int kSheetHeight = kCellHeight * 2;

// One chance in this many, per drawn character and tick, of an imprint in
// the saver type that keeps them.
inline constexpr int ImprintOdds = 200;

// Copies the background onto the work surface, steps and draws every used
// slot in ascending order, and presents the work surface on the window.
void ComposeFrame(const Stage& stage);

// Draws slot i's sprite column c onto the work surface at its position,
// mirrored when facing is -1, and in saver type 1 now and then stamps its
// silhouette into the background.
void DrawCharacter(const Stage& stage, int i, int c, int facing, base::Int16 cellWidth,
                   base::Int16 cellHeight);

}  // namespace quimbel::engine
