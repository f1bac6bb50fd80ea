#pragma once
// The raster operations the saver draws with, exact to the bit: the whole
// copy, and the two logical operations that together make a sprite's
// transparency. Every operation clips at all four edges of both surfaces;
// pixels whose source or destination would lie outside are left alone.
#include <cstdint>

#include "base/surface.hpp"

namespace quimbel::engine {

using base::Icon;
using base::kBlack;
using base::kWhite;
using base::Pixel;
using base::Rect;
using base::Rgb;
using base::Surface;

// The classic ternary raster-operation codes, so the values read as the
// drawing calls they stand for.
enum class RasterOp : std::uint32_t {
  kSrcCopy = 0x00CC0020,    // destination = source
  kSrcErase = 0x00440328,   // destination = source AND (NOT destination)
  kSrcInvert = 0x00660046,  // destination = source XOR destination
};

// Copies the source rectangle (sx, sy, width, height) onto dst at (x, y).
void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op);

// The same-size stretching copy: the source rectangle (sx, sy, |width|,
// height) onto the destination rectangle (x, y, width, height). A negative
// width mirrors the cell left to right into the |width| columns to the left
// of x (x - |width| to x - 1): source column sx lands on x - 1. Nothing is
// scaled; a height of 0 or less draws nothing.
void StretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, RasterOp op);

// Copies the source rectangle (sx, sy, width, height) onto dst at (x, y),
// each source pixel as an n by n block (nearest neighbour: no new colours);
// n = 1 is a plain copy. Clips like the operations above; n below 1 draws
// nothing.
void Enlarge(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int width, int height,
             int n);

// Per row of a sprite cell, the cell columns [first, last) outside which
// both the mask and the image are white: there the two steps leave every
// pixel as it was (for pixels 0x00RRGGBB), so they need not be visited.
struct RowSpan {
  std::int16_t first = 0;
  std::int16_t last = 0;
};

// Fills spans[0 .. height - 1] for the cell of this size whose mask lies at
// (maskX, maskY) and image at (imageX, imageY); parts off the sheet count as
// white.
void FindRowSpans(const Surface& sheet, int maskX, int maskY, int imageX, int imageY, int width,
                  int height, RowSpan* spans);

// A sprite cell's two steps in one pass: SRCERASE from the mask cell at
// (maskX, maskY), then SRCINVERT from the image cell at (imageX, imageY),
// both onto the same destination rectangle, mirrored as StretchBlt mirrors.
// Bit for bit the same as the two StretchBlt calls; dst must not be sheet.
// With spans (one per row of the rectangle, from FindRowSpans), only the
// columns inside each row's span are visited.
void MaskedStretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& sheet,
                      int maskX, int maskY, int imageX, int imageY, const RowSpan* spans = nullptr);

// Copies from src onto dst, at the same places, every pixel that a
// MaskedStretchBlt onto this rectangle with these spans may have changed:
// each row's span, or the whole rectangle without spans. Undoing a drawn
// cell this way reads only its inked part, about a third of it for the cast.
// src and dst have the same size.
void RestoreSpans(Surface& dst, const Surface& src, int x, int y, int width, int height,
                  const RowSpan* spans = nullptr);

// The smallest rectangle, in cell coordinates (before any mirroring), that
// holds every row's span; empty when nothing is inked.
Rect InkedBounds(const RowSpan* spans, int width, int height);

}  // namespace quimbel::engine
