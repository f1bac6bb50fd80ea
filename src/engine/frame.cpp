#include "engine/frame.hpp"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "base/rounding.hpp"
#include "engine/bands.hpp"
#include "engine/cast.hpp"
#include "engine/cell_redraw.hpp"
#include "engine/raster.hpp"

namespace quimbel::engine {
namespace {

constexpr int kImprintingSaverType = 1;

void CheckKind(const SaverState& saver, int kind) {
  if (kind < 0 || kind >= static_cast<int>(saver.pat.size()) || saver.pat[kind] == nullptr)
    throw base::RuntimeError::SubscriptOutOfRange();
}

// What is kept of kind's sheet at scale n, emptied when either changed.
PreparedSheet& Kept(SaverState& saver, int kind, int n) {
  PreparedSheet& prepared = saver.preparedSheets[kind];
  if (prepared.sheet != saver.pat[kind] || prepared.scale != n) {
    // The last frame's cells may point into what was made before.
    if (prepared.sheet != nullptr)
      saver.frameDraws.whole = true;
    prepared.sheet = saver.pat[kind];
    prepared.scale = n;
    prepared.cells = Surface();
    prepared.enlarged = Surface();
  }
  return prepared;
}

// The sheet's cells made ready for drawing at scale n, on the first draw
// from that sheet. Only the standard cell geometry on a whole sheet has
// them; other draws clip against the sheet as it is (or as enlarged).
const PreparedSheet* Prepared(SaverState& saver, int kind, int c, int cellWidth, int cellHeight,
                              int n) {
  if (cellWidth != kCellWidth || cellHeight != kCellHeight || c < 0 || c >= kSheetColumns ||
      saver.pat[kind]->Width() < kSheetColumns * kCellWidth ||
      saver.pat[kind]->Height() < 2 * kCellHeight)
    return nullptr;
  PreparedSheet& prepared = Kept(saver, kind, n);
  if (prepared.cells.Empty()) {
    const Surface& sheet = *saver.pat[kind];
    const int w = kCellWidth * n;
    const int h = kCellHeight * n;
    prepared.cells.Reset(2 * w, kSheetColumns * h, kWhite);
    for (int col = 0; col < kSheetColumns; ++col) {
      const int top = col * h;
      Enlarge(prepared.cells, 0, top, sheet, col * kCellWidth, kCellHeight, kCellWidth, kCellHeight,
              n);
      Enlarge(prepared.cells, w, top, sheet, col * kCellWidth, 0, kCellWidth, kCellHeight, n);
      prepared.columns[col].resize(static_cast<std::size_t>(h));
      FindRowSpans(prepared.cells, 0, top, w, top, w, h, prepared.columns[col].data());
      prepared.inked[col] = InkedBounds(prepared.columns[col].data(), w, h);
    }
  }
  return &prepared;
}

// The whole sheet at scale n, for draws without prepared cells.
const Surface& SheetAt(SaverState& saver, int kind, int n) {
  if (n == 1)
    return *saver.pat[kind];
  PreparedSheet& prepared = Kept(saver, kind, n);
  if (prepared.enlarged.Empty()) {
    const Surface& sheet = *saver.pat[kind];
    prepared.enlarged.Reset(sheet.Width() * n, sheet.Height() * n, kWhite);
    Enlarge(prepared.enlarged, 0, 0, sheet, 0, 0, sheet.Width(), sheet.Height(), n);
  }
  return prepared.enlarged;
}

// Mask with SRCERASE, then the second cell (the image, or the mask again)
// with SRCINVERT, both onto the same rectangle: where the mask is black the
// second cell shows, where it is white the destination comes back as it was
// (for a white second cell).
void MaskAndDraw(Surface& dst, const CellDraw& cell, int secondX, int secondY) {
  MaskedStretchBlt(dst, cell.x, cell.y, cell.width, cell.height, *cell.sheet, cell.maskX,
                   cell.maskY, secondX, secondY, cell.spans);
}

void AddStale(FrameDraws& draws, const Rect& r) {
  if (r.Empty())
    return;
  if (draws.staleCount == static_cast<int>(draws.stale.size())) {
    draws.whole = true;
    return;
  }
  draws.stale[draws.staleCount++] = r;
}

void DrawCell(SaverState& saver, const CellDraw& cell) {
  MaskAndDraw(saver.scr_work, cell, cell.imageX, cell.imageY);
}

// Both steps from the mask leave background AND mask: a black silhouette.
void Imprint(SaverState& saver, const CellDraw& cell) {
  MaskAndDraw(saver.scr_bkg, cell, cell.maskX, cell.maskY);
}

// An imprint shows from the next frame on, which restores its rectangle: a
// drawn cell's is stale already, an undrawn one's is made so.
void ImprintGathered(SaverState& saver, bool drawn) {
  FrameDraws& draws = saver.frameDraws;
  draws.collecting = false;
  for (int k = 0; k < draws.count; ++k) {
    if (!draws.cells[k].imprint)
      continue;
    Imprint(saver, draws.cells[k]);
    if (!drawn)
      AddStale(draws, InkedRect(draws.cells[k], saver.scr_bkg.Width(), saver.scr_bkg.Height()));
  }
}

// Brings the work surface back to the background where the last frame's
// cells will not be undrawn: everywhere, or where imprints were stamped
// since; and gathers the rectangles the frame changes (those, the last
// frame's cells and the new ones) into a few bands. Returns whether the
// last frame's cells are still to be undrawn.
bool Restore(SaverState& saver, int width, int height) {
  FrameDraws& draws = saver.frameDraws;
  int& n = draws.changedCount;
  n = 0;
  const bool whole = draws.whole || draws.composedOn != saver.scr_work.Data() ||
                     saver.scr_work.Width() != width || saver.scr_work.Height() != height;
  if (whole) {
    draws.changed[n++] = {0, 0, width, height};
    BitBlt(saver.scr_work, 0, 0, width, height, saver.scr_bkg, 0, 0, RasterOp::kSrcCopy);
  } else {
    for (int k = 0; k < draws.staleCount; ++k) {
      const Rect& r = draws.stale[k];
      BitBlt(saver.scr_work, r.x, r.y, r.width, r.height, saver.scr_bkg, r.x, r.y,
             RasterOp::kSrcCopy);
      n = AddMerged(draws.changed.data(), n, r);
    }
    for (int k = 0; k < draws.shownCount; ++k)
      n = AddMerged(draws.changed.data(), n, InkedRect(draws.shown[k], width, height));
    for (int k = 0; k < draws.count; ++k)
      n = AddMerged(draws.changed.data(), n, InkedRect(draws.cells[k], width, height));
    n = MergeIntoBands(draws.changed.data(), n);
  }
  draws.whole = false;
  draws.composedOn = saver.scr_work.Data();
  draws.staleCount = 0;
  return !whole;
}

}  // namespace

// Every pixel sees what a plain frame does to it, in the same order: the
// background's copy, then each cell in slot order. Outside the restored
// rectangles the work surface already holds the background, as no cell
// was drawn there last frame and no imprint stamped since. Imprints come
// after the cells were drawn, so they show from the next frame on. A
// failing slot leaves the work surface as presented last.
void ComposeFrame(const Stage& stage) {
  SaverState& saver = stage.saver;
  FrameDraws& draws = saver.frameDraws;
  const int width = stage.ScreenWidthPx;
  const int height = stage.ScreenHeightPx;
  const int count = UsedSlots(stage);
  if (count > 0 && stage.SaverType == kImprintingSaverType)
    stage.random.Reseed();
  draws.count = 0;
  draws.collecting = true;
  try {
    for (int i = 0; i < count; ++i)
      AdvanceCharacter(stage, i);
  } catch (...) {
    // The characters stamped before the failing one keep their imprints.
    ImprintGathered(saver, false);
    throw;
  }
  draws.collecting = false;
  const int undraws = Restore(saver, width, height) ? draws.shownCount : 0;
  RedrawCells(saver.scr_work, saver.scr_bkg,
              std::span<const CellDraw>(draws.shown.data(), static_cast<std::size_t>(undraws)),
              std::span<const CellDraw>(draws.cells.data(), static_cast<std::size_t>(draws.count)));
  std::copy_n(draws.cells.begin(), draws.count, draws.shown.begin());
  draws.shownCount = draws.count;
  ImprintGathered(saver, true);
  saver.frmDisp->Present(saver.scr_work,
                         std::span<const Rect>(draws.changed.data(), draws.changedCount));
}

void DrawCharacter(const Stage& stage, int i, int c, int facing, base::Int16 cellWidth,
                   base::Int16 cellHeight) {
  SaverState& saver = stage.saver;
  const CaraState& slot = saver.caraTable[i];
  const base::Int16 width = cellWidth * facing;
  const base::Int16 sourceX = cellWidth * c;
  CheckKind(saver, slot.Kind);
  // Sizes and places on the sheet in sprite pixels, n device pixels each.
  const int n = stage.SceneScale;
  CellDraw cell;
  cell.x = slot.PosX;
  cell.y = slot.PosY;
  cell.width = width * n;
  cell.height = cellHeight * n;
  cell.maskX = cell.imageX = sourceX * n;
  cell.maskY = cellHeight * n;
  cell.imageY = 0;
  cell.inked = {0, 0, std::abs(cell.width), cell.height};
  if (const PreparedSheet* prepared = Prepared(saver, slot.Kind, c, cellWidth, cellHeight, n)) {
    cell.sheet = &prepared->cells;
    cell.maskX = 0;
    cell.imageX = kCellWidth * n;
    cell.maskY = cell.imageY = c * kCellHeight * n;
    cell.spans = prepared->columns[c].data();
    cell.inked = prepared->inked[c];
  } else {
    cell.sheet = &SheetAt(saver, slot.Kind, n);
  }
  cell.imprint =
      stage.SaverType == kImprintingSaverType && base::Int(stage.random.Next() * ImprintOdds) == 0;
  FrameDraws& draws = saver.frameDraws;
  if (draws.collecting) {
    if (draws.count == static_cast<int>(draws.cells.size()))
      throw base::RuntimeError::InvalidCall();  // one cell per slot and frame
    draws.cells[draws.count++] = cell;
    return;
  }
  // Drawn outside a frame: the next frame cannot know what changed.
  draws.whole = true;
  DrawCell(saver, cell);
  if (cell.imprint)
    Imprint(saver, cell);
}

}  // namespace quimbel::engine
