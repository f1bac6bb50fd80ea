#include "engine/frame.hpp"

#include <algorithm>

#include "app/program.hpp"
#include "base/rounding.hpp"
#include "engine/cast.hpp"
#include "engine/raster.hpp"

namespace quimbel::engine {
namespace {

constexpr int kImprintingSaverType = 1;

const Surface& Sheet(const SaverState& saver, int kind) {
  if (kind < 0 || kind >= static_cast<int>(saver.pat.size()) || saver.pat[kind] == nullptr)
    throw base::RuntimeError::SubscriptOutOfRange();
  return *saver.pat[kind];
}

// The sheet's cells made ready for drawing, on the first draw from that
// sheet. Only the standard cell geometry on a whole sheet has them; other
// draws clip against the sheet as it is.
const PreparedSheet* Prepared(SaverState& saver, int kind, int c, int cellWidth, int cellHeight) {
  if (cellWidth != kCellWidth || cellHeight != kCellHeight || c < 0 || c >= kSheetColumns ||
      saver.pat[kind]->Width() < kSheetColumns * kCellWidth ||
      saver.pat[kind]->Height() < 2 * kCellHeight)
    return nullptr;
  PreparedSheet& prepared = saver.preparedSheets[kind];
  if (prepared.sheet != saver.pat[kind]) {
    const Surface& sheet = *saver.pat[kind];
    prepared.cells.Reset(2 * kCellWidth, kSheetColumns * kCellHeight, kWhite);
    for (int col = 0; col < kSheetColumns; ++col) {
      FindRowSpans(sheet, col * kCellWidth, kCellHeight, col * kCellWidth, 0, kCellWidth,
                   kCellHeight, prepared.columns[col].data());
      const int top = col * kCellHeight;
      BitBlt(prepared.cells, 0, top, kCellWidth, kCellHeight, sheet, col * kCellWidth, kCellHeight,
             RasterOp::kSrcCopy);
      BitBlt(prepared.cells, kCellWidth, top, kCellWidth, kCellHeight, sheet, col * kCellWidth, 0,
             RasterOp::kSrcCopy);
    }
    prepared.sheet = saver.pat[kind];
  }
  return &prepared;
}

// Rows of the work surface copied and drawn together: small enough that a
// band of a wide screen stays in the cache while its characters are drawn.
constexpr int kBandRows = 32;

// Mask with SRCERASE, then the second cell (the image, or the mask again)
// with SRCINVERT, both onto the same rectangle: where the mask is black the
// second cell shows, where it is white the destination comes back as it was
// (for a white second cell). Only the cell's rows from rowFrom up to rowTo
// are drawn.
void MaskAndDraw(Surface& dst, const CellDraw& cell, int secondX, int secondY, int rowFrom,
                 int rowTo) {
  const int top = std::max(cell.y, rowFrom);
  const int bottom = std::min(cell.y + cell.height, rowTo);
  if (bottom <= top)
    return;
  const int skip = top - cell.y;
  MaskedStretchBlt(dst, cell.x, top, cell.width, bottom - top, *cell.sheet, cell.maskX,
                   cell.maskY + skip, secondX, secondY + skip,
                   cell.spans != nullptr ? cell.spans + skip : nullptr);
}

void DrawCell(SaverState& saver, const CellDraw& cell, int rowFrom, int rowTo) {
  MaskAndDraw(saver.scr_work, cell, cell.imageX, cell.imageY, rowFrom, rowTo);
}

// Both steps from the mask leave background AND mask: a black silhouette.
void Imprint(SaverState& saver, const CellDraw& cell) {
  MaskAndDraw(saver.scr_bkg, cell, cell.maskX, cell.maskY, cell.y, cell.y + cell.height);
}

void ImprintGathered(SaverState& saver) {
  FrameDraws& draws = saver.frameDraws;
  draws.collecting = false;
  for (int k = 0; k < draws.count; ++k) {
    if (draws.cells[k].imprint)
      Imprint(saver, draws.cells[k]);
  }
}

}  // namespace

// Every pixel sees what a plain frame does to it, in the same order: the
// background's copy, then each cell in slot order. Imprints come after all
// of the background was copied, so they show from the next frame on.
void ComposeFrame(app::Program& program) {
  SaverState& saver = program.saver;
  FrameDraws& draws = saver.frameDraws;
  const int width = program.run.ScreenWidthPx;
  const int height = program.run.ScreenHeightPx;
  const int count = UsedSlots(program);
  if (count > 0 && program.settings.SaverType == kImprintingSaverType)
    program.platform.random.Reseed();
  draws.count = 0;
  draws.collecting = true;
  try {
    for (int i = 0; i < count; ++i)
      AdvanceCharacter(program, i);
  } catch (...) {
    // The characters stamped before the failing one keep their imprints.
    ImprintGathered(saver);
    throw;
  }
  draws.collecting = false;
  for (int top = 0; top < height; top += kBandRows) {
    const int rows = std::min(kBandRows, height - top);
    BitBlt(saver.scr_work, 0, top, width, rows, saver.scr_bkg, 0, top, RasterOp::kSrcCopy);
    for (int k = 0; k < draws.count; ++k)
      DrawCell(saver, draws.cells[k], top, top + rows);
  }
  ImprintGathered(saver);
  saver.frmDisp->Present(saver.scr_work);
}

void DrawCharacter(app::Program& program, int i, int c, int facing, base::Int16 cellWidth,
                   base::Int16 cellHeight) {
  SaverState& saver = program.saver;
  const CaraState& slot = saver.caraTable[i];
  const base::Int16 width = cellWidth * facing;
  const base::Int16 sourceX = cellWidth * c;
  const Surface& sheet = Sheet(saver, slot.Kind);
  CellDraw cell{&sheet, slot.PosX, slot.PosY, width, cellHeight, sourceX, cellHeight, sourceX, 0};
  if (const PreparedSheet* prepared = Prepared(saver, slot.Kind, c, cellWidth, cellHeight)) {
    cell.sheet = &prepared->cells;
    cell.maskX = 0;
    cell.imageX = kCellWidth;
    cell.maskY = cell.imageY = c * kCellHeight;
    cell.spans = prepared->columns[c].data();
  }
  cell.imprint = program.settings.SaverType == kImprintingSaverType &&
                 base::Int(program.platform.random.Next() * ImprintOdds) == 0;
  FrameDraws& draws = saver.frameDraws;
  if (draws.collecting) {
    if (draws.count == static_cast<int>(draws.cells.size()))
      throw base::RuntimeError::InvalidCall();  // one cell per slot and frame
    draws.cells[draws.count++] = cell;
    return;
  }
  DrawCell(saver, cell, cell.y, cell.y + cell.height);
  if (cell.imprint)
    Imprint(saver, cell);
}

}  // namespace quimbel::engine
