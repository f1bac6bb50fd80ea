#include "engine/cell_redraw.hpp"

#include <algorithm>
#include <array>

namespace quimbel::engine {
namespace {

bool Meet(const Rect& a, const Rect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

void Undraw(Surface& work, const Surface& bkg, const CellDraw& cell) {
  RestoreSpans(work, bkg, cell.x, cell.y, cell.width, cell.height, cell.spans);
}

}  // namespace

Rect InkedRect(const CellDraw& cell, int width, int height) {
  const Rect& ink = cell.inked;
  const int left = cell.width < 0 ? cell.x - ink.x - ink.width : cell.x + ink.x;
  const int top = cell.y + ink.y;
  const int x = std::max(left, 0);
  const int y = std::max(top, 0);
  const int right = std::min(left + ink.width, width);
  const int bottom = std::min(top + ink.height, height);
  return {x, y, std::max(right - x, 0), std::max(bottom - y, 0)};
}

// Undrawing a cell and drawing another commute where their inked parts do
// not meet. Every undraw that meets a draw happens before it, so an undraw
// left for later meets no draw made so far.
void RedrawCells(Surface& work, const Surface& bkg, std::span<const CellDraw> undraw,
                 std::span<const CellDraw> draw) {
  const int w = work.Width(), h = work.Height();
  std::array<Rect, kCaraSlots> pending;
  std::array<bool, kCaraSlots> done{};
  const std::size_t undraws = std::min(undraw.size(), pending.size());
  for (std::size_t k = 0; k < undraws; ++k)
    pending[k] = InkedRect(undraw[k], w, h);
  for (std::size_t j = 0; j < draw.size(); ++j) {
    const CellDraw& cell = draw[j];
    const Rect inked = InkedRect(cell, w, h);
    for (std::size_t k = 0; k < undraws; ++k) {
      if (!done[k] && (k == j || Meet(pending[k], inked))) {
        Undraw(work, bkg, undraw[k]);
        done[k] = true;
      }
    }
    MaskedStretchBlt(work, cell.x, cell.y, cell.width, cell.height, *cell.sheet, cell.maskX,
                     cell.maskY, cell.imageX, cell.imageY, cell.spans);
  }
  for (std::size_t k = 0; k < undraws; ++k) {
    if (!done[k])
      Undraw(work, bkg, undraw[k]);
  }
}

}  // namespace quimbel::engine
