// The frame's fast drawing against a plain per-pixel composition: random
// sheets (plain and enlarged n times), random cells across every edge of
// surfaces of odd sizes, frame after frame, undrawn by spans and redrawn in
// the interleaved order, must equal the background copied whole and every
// cell drawn pixel by pixel with the two steps' formula.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/cell_redraw.hpp"
#include "engine/raster.hpp"

using namespace quimbel::engine;

namespace {

struct Lcg {
  std::uint32_t seed;
  std::uint32_t Next() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
};

// Mask AND (NOT destination), then XOR image, one pixel at a time; cell
// column k lands on x + k, or on x - 1 - k when mirrored.
void PlainCell(Surface& dst, const CellDraw& c) {
  const int n = c.width < 0 ? -c.width : c.width;
  for (int row = 0; row < c.height; ++row) {
    for (int k = 0; k < n; ++k) {
      const int dx = c.width > 0 ? c.x + k : c.x - 1 - k;
      const int dy = c.y + row;
      const int mx = c.maskX + k, my = c.maskY + row;
      const int ix = c.imageX + k, iy = c.imageY + row;
      const Surface& s = *c.sheet;
      if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height() || mx < 0 || my < 0 ||
          mx >= s.Width() || my >= s.Height() || ix < 0 || iy < 0 || ix >= s.Width() ||
          iy >= s.Height())
        continue;
      Pixel& d = dst.At(dx, dy);
      d = (s.At(mx, my) & ~d) ^ s.At(ix, iy);
    }
  }
}

// A sheet of `columns` cells of w x h: mask column at x 0, image at x w,
// cell c in rows c * h on, as the frames prepare them. Figures with white
// margins that vary per row, stray inked pixels, a mask that is neither
// black nor white here and there, and empty rows.
Surface RandomCells(Lcg& rng, int w, int h, int columns) {
  Surface sheet(2 * w, columns * h, kWhite);
  for (int c = 0; c < columns; ++c) {
    for (int row = 0; row < h; ++row) {
      if (rng.Below(9) == 0)
        continue;
      const int from = rng.Below(w), to = from + rng.Below(w - from + 1);
      for (int k = from; k < to; ++k) {
        const int pick = rng.Below(16);
        sheet.At(k, c * h + row) = pick == 0   ? (rng.Next() & 0xFFFFFF)
                                   : pick < 12 ? kBlack
                                               : kWhite;
        sheet.At(w + k, c * h + row) = pick < 14 ? (rng.Next() & 0xFFFFFF) : kWhite;
      }
      if (rng.Below(5) == 0)
        sheet.At(w + rng.Below(w), c * h + row) = rng.Next() & 0xFFFFFF;
    }
  }
  return sheet;
}

struct Sheet {
  Surface cells;
  std::vector<std::vector<RowSpan>> spans;
  std::vector<Rect> inked;
};

Sheet MakeSheet(Lcg& rng, int w, int h, int columns, int scale) {
  Sheet s;
  const Surface small = RandomCells(rng, w, h, columns);
  s.cells.Reset(small.Width() * scale, small.Height() * scale);
  Enlarge(s.cells, 0, 0, small, 0, 0, small.Width(), small.Height(), scale);
  const int sw = w * scale, sh = h * scale;
  for (int c = 0; c < columns; ++c) {
    s.spans.emplace_back(static_cast<std::size_t>(sh));
    FindRowSpans(s.cells, 0, c * sh, sw, c * sh, sw, sh, s.spans.back().data());
    s.inked.push_back(InkedBounds(s.spans.back().data(), sw, sh));
  }
  return s;
}

std::vector<CellDraw> RandomCast(Lcg& rng, const Sheet& sheet, int w, int h, int width,
                                 int height) {
  std::vector<CellDraw> cast(static_cast<std::size_t>(rng.Below(kCaraSlots + 1)));
  const int columns = static_cast<int>(sheet.spans.size());
  for (CellDraw& cell : cast) {
    const int c = rng.Below(columns);
    cell.sheet = &sheet.cells;
    cell.width = rng.Below(2) ? w : -w;
    cell.height = h;
    cell.x = rng.Below(width + 2 * w) - w + (cell.width < 0 ? w : 0);
    cell.y = rng.Below(height + 2 * h) - h;
    cell.maskX = 0;
    cell.imageX = w;
    cell.maskY = cell.imageY = c * h;
    if (rng.Below(6) == 0) {
      cell.inked = {0, 0, w, h};  // drawn without spans: every column visited
    } else {
      cell.spans = sheet.spans[static_cast<std::size_t>(c)].data();
      cell.inked = sheet.inked[static_cast<std::size_t>(c)];
    }
  }
  return cast;
}

}  // namespace

TEST(CellRedrawTest, FramesByInkedSpansEqualPlainPerPixelFrames) {
  Lcg rng{2024};
  for (int scale : {1, 2, 3}) {
    // Odd sizes, smaller and larger than a cell.
    for (auto [width, height] : {std::pair{37, 29}, {211, 97}, {333, 217}}) {
      const int w = 13 * scale, h = 23 * scale;
      const Sheet sheet = MakeSheet(rng, 13, 23, 4, scale);
      Surface bkg(width, height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          bkg.At(x, y) = rng.Next() & 0xFFFFFF;
      const Surface bkgBefore = bkg;
      Surface work = bkg;
      std::vector<CellDraw> last;
      for (int frame = 0; frame < 60; ++frame) {
        const std::vector<CellDraw> cast = RandomCast(rng, sheet, w, h, width, height);
        RedrawCells(work, bkg, last, cast);
        Surface expected = bkg;
        for (const CellDraw& cell : cast)
          PlainCell(expected, cell);
        ASSERT_EQ(work, expected) << "scale " << scale << " " << width << "x" << height << " frame "
                                  << frame;
        // A cell alone changes nothing outside its inked rectangle, which
        // is what the frame presents.
        for (std::size_t k = 0; k < cast.size() && k < 4; ++k) {
          Surface alone = bkg;
          PlainCell(alone, cast[k]);
          const Rect r = InkedRect(cast[k], width, height);
          for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
              if (alone.At(x, y) != bkg.At(x, y)) {
                ASSERT_TRUE(x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height)
                    << x << "," << y << " frame " << frame;
              }
        }
        last = cast;
      }
      EXPECT_EQ(bkg, bkgBefore);
    }
  }
}
