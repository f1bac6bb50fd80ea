#pragma once
// What the saver and preview runs keep for the life of the process.
#include <array>
#include <memory>

#include "base/int16.hpp"
#include "engine/cara_table.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "engine/surface.hpp"
#include "platform/preview_window.hpp"
#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::engine {

inline constexpr int kCastSize = 7;

// One character's cell as a frame draws it: the mask row at 140 below the
// image row, from the same column.
struct CellDraw {
  const Surface* sheet = nullptr;
  int x = 0, y = 0, width = 0, height = 0, sourceX = 0;
  const RowSpan* spans = nullptr;  // the inked columns of each row, if known
  bool imprint = false;            // also stamp its silhouette into the background
};

// The inked columns of every row of a sheet's cells, found once per sheet
// (a sheet's pixels never change once the saver draws from it).
struct SheetSpans {
  const Surface* sheet = nullptr;
  std::array<std::array<RowSpan, kCellHeight>, kSheetColumns> columns;
};

// A frame's cells, gathered while the cast walks and drawn afterwards band by
// band, each band of the work surface while it is still in the cache.
struct FrameDraws {
  bool collecting = false;
  int count = 0;
  std::array<CellDraw, kCaraSlots> cells;
};

struct SaverState {
  std::unique_ptr<platform::PreviewWindow> frmPrev;

  CaraTable caraTable;
  Surface scr_bkg;   // the background: the desktop snapshot or black, plus imprints
  Surface scr_work;  // the frame under composition
  // The sprite sheets pat(0) to pat(6) by Kind. StartSaver takes the built-in
  // sheet for every entry still empty, so tests may give their own first.
  std::array<const Surface*, kCastSize> pat{};

  // Where the cursor and caret were when the saver started.
  base::Int16 StartCursorX;
  base::Int16 StartCursorY;
  base::Int16 StartCaretX;
  base::Int16 StartCaretY;
  // The latest samples (32-bit, as the platform reports them).
  platform::Point32 CursorPoint;
  platform::Point32 CaretPoint;

  FrameDraws frameDraws;
  std::array<SheetSpans, kCastSize> sheetSpans;

  // True while a tick's error box is open: ticks wait for it to close.
  bool errorBoxOpen = false;

  // The window's event handlers live before the window and die after it.
  std::unique_ptr<platform::SaverEvents> events;
  std::unique_ptr<platform::SaverWindow> frmDisp;
};

}  // namespace quimbel::engine
