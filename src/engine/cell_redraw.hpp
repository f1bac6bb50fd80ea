#pragma once
// Undrawing the last frame's cells and drawing the new ones, in an order
// that keeps each part of the work surface in the cache between the two.
#include <span>

#include "engine/saver_state.hpp"

namespace quimbel::engine {

// The part of the surface a cell's inked part covers, clipped to a surface
// of this size; a mirrored cell lies left of its x.
Rect InkedRect(const CellDraw& cell, int width, int height);

// Brings work back to bkg wherever the cells `undraw` were drawn (their
// spans), then draws the cells `draw` in order, exactly as if every undraw
// came first: a cell is undrawn just before the draw at the same index, or
// before the first draw its inked part meets, or at the end. Both lists
// hold at most kCaraSlots cells.
void RedrawCells(Surface& work, const Surface& bkg, std::span<const CellDraw> undraw,
                 std::span<const CellDraw> draw);

}  // namespace quimbel::engine
