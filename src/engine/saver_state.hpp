#pragma once
// What the saver and preview runs keep for the life of the process.
#include <array>
#include <memory>
#include <vector>

#include "base/int16.hpp"
#include "base/surface.hpp"
#include "engine/cara_table.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "platform/preview_window.hpp"
#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::engine {

// One character's cell as a frame draws it: the mask cell at (maskX, maskY)
// and the image cell at (imageX, imageY) of sheet, both width by height.
struct CellDraw {
  const Surface* sheet = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
  int maskX = 0, maskY = 0, imageX = 0, imageY = 0;
  const RowSpan* spans = nullptr;  // the inked columns of each row, if known
  // The part of the cell those spans lie in, in cell coordinates before any
  // mirroring (0, 0, |width|, height without spans).
  Rect inked;
  bool imprint = false;  // also stamp its silhouette into the background
};

// What the frames keep of a sheet, made once per sheet (a sheet's pixels
// never change once the saver draws from it): the inked columns of every row
// of its cells, and its cells rearranged so that each cell's rows follow one
// another, mask row beside image row. A cell drawn from there is read front
// to back in one stream instead of two strided ones spread over the sheet,
// which the processor fetches ahead better.
// At a scene scale n above 1 everything here is enlarged n times, once per
// run: the cells (and the whole sheet, for draws that read it as it is).
struct PreparedSheet {
  const Surface* sheet = nullptr;
  int scale = 0;
  // kCellHeight * scale rows for each column, and the bounds of their spans.
  std::array<std::vector<RowSpan>, kSheetColumns> columns;
  std::array<Rect, kSheetColumns> inked;
  // Column c's cell in rows c * kCellHeight * scale on: mask at x 0, image
  // at x kCellWidth * scale.
  Surface cells;
  // The whole sheet enlarged, for a sheet without the standard cells.
  Surface enlarged;
};

// A frame's cells, gathered while the cast walks and drawn once it has
// walked, and what the next frame must put right. The work surface keeps the
// last frame: outside the cells drawn there it shows the background, except
// where imprints were stamped since.
struct FrameDraws {
  bool collecting = false;
  int count = 0;
  std::array<CellDraw, kCaraSlots> cells;
  // To restore from the background before the next frame's cells are drawn:
  // the cells the last frame drew (their spans) and the imprints stamped
  // since (their rectangles).
  int shownCount = 0;
  std::array<CellDraw, kCaraSlots> shown;
  int staleCount = 0;
  std::array<Rect, 2 * kCaraSlots> stale;
  // The next frame restores every pixel: nothing composed yet, a new
  // background, or more stale rectangles than the list holds.
  bool whole = true;
  const Pixel* composedOn = nullptr;  // the work surface's pixels as last composed
  // The rectangles the frame changed (the stale ones and the new cells'
  // inked parts), merged into at most kMaxBands bands, as presented.
  int changedCount = 0;
  std::array<Rect, 2 * kCaraSlots + 2 * kCaraSlots + 1> changed;
};

struct SaverState {
  std::unique_ptr<platform::PreviewWindow> frmPrev;

  CaraTable caraTable;
  Surface scr_bkg;   // the background: the desktop snapshot or black, plus imprints
  Surface scr_work;  // the frame under composition
  // The sprite sheets pat(0) to pat(6) by Kind. StartSaver takes the built-in
  // sheet for every entry still empty, so tests may give their own first.
  std::array<const Surface*, kCastSize> pat{};

  // Where the cursor and caret were when the saver started. The cursor is
  // kept in full: on a desktop beyond the 16-bit range it may stand where
  // 16 bits cannot say, and that must not end the run.
  std::int32_t StartCursorX = 0;
  std::int32_t StartCursorY = 0;
  base::Int16 StartCaretX;
  base::Int16 StartCaretY;
  // The latest samples (32-bit, as the platform reports them).
  platform::Point32 CursorPoint;
  // Where the platform cannot poll the pointer: whether its start is known
  // yet (the first position the window reported).
  bool pointerStartKnown = false;
  platform::Point32 CaretPoint;

  FrameDraws frameDraws;
  std::array<PreparedSheet, kCastSize> preparedSheets;

  // The window's event handlers live before the window and die after it.
  std::unique_ptr<platform::SaverEvents> events;
  std::unique_ptr<platform::SaverWindow> frmDisp;
};

}  // namespace quimbel::engine
