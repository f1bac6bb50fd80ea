#include "engine/raster.hpp"

#include <algorithm>

namespace quimbel::engine {
namespace {

// The overlap of [start, start + n) with [0, limit), as an offset into the
// run and a length (0 when they do not meet).
struct Span {
  int skip = 0;
  int length = 0;
};

Span Clip(int start, int n, int limit) {
  int from = std::max(start, 0);
  int to = std::min(start + n, limit);
  if (to <= from)
    return {};
  return {from - start, to - from};
}

Span Intersect(Span a, Span b) {
  int from = std::max(a.skip, b.skip);
  int to = std::min(a.skip + a.length, b.skip + b.length);
  if (to <= from)
    return {};
  return {from, to - from};
}

struct Copy {
  static Pixel Apply(Pixel s, Pixel) { return s; }
};
struct Erase {
  static Pixel Apply(Pixel s, Pixel d) { return s & ~d; }
};
struct Invert {
  static Pixel Apply(Pixel s, Pixel d) { return s ^ d; }
};

// Applies Op to the rows; dstStep is +1 for a straight copy and -1 for a
// mirrored one (dst then points at the rightmost destination pixel).
template <class Op>
void Rows(Pixel* dst, int dstStride, const Pixel* src, int srcStride, int n, int rows,
          int dstStep) {
  for (int row = 0; row < rows; ++row) {
    Pixel* d = dst + static_cast<std::ptrdiff_t>(row) * dstStride;
    const Pixel* s = src + static_cast<std::ptrdiff_t>(row) * srcStride;
    if (dstStep > 0) {
      for (int k = 0; k < n; ++k)
        d[k] = Op::Apply(s[k], d[k]);
    } else {
      for (int k = 0; k < n; ++k)
        d[-k] = Op::Apply(s[k], d[-k]);
    }
  }
}

void Dispatch(RasterOp op, Pixel* dst, int dstStride, const Pixel* src, int srcStride, int n,
              int rows, int dstStep) {
  switch (op) {
    case RasterOp::kSrcCopy:
      Rows<Copy>(dst, dstStride, src, srcStride, n, rows, dstStep);
      break;
    case RasterOp::kSrcErase:
      Rows<Erase>(dst, dstStride, src, srcStride, n, rows, dstStep);
      break;
    case RasterOp::kSrcInvert:
      Rows<Invert>(dst, dstStride, src, srcStride, n, rows, dstStep);
      break;
  }
}

// Rows that both surfaces hold: an offset into the rectangle and a count.
Span RowSpan(const Surface& dst, int y, const Surface& src, int sy, int height) {
  return Intersect(Clip(y, height, dst.Height()), Clip(sy, height, src.Height()));
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op) {
  if (width <= 0 || height <= 0)
    return;
  Span cols = Intersect(Clip(x, width, dst.Width()), Clip(sx, width, src.Width()));
  Span rows = RowSpan(dst, y, src, sy, height);
  if (cols.length == 0 || rows.length == 0)
    return;
  Pixel* d = dst.Row(y + rows.skip) + x + cols.skip;
  const Pixel* s = src.Row(sy + rows.skip) + sx + cols.skip;
  if (op == RasterOp::kSrcCopy && &dst != &src) {
    for (int row = 0; row < rows.length; ++row)
      std::copy_n(s + static_cast<std::ptrdiff_t>(row) * src.Width(), cols.length,
                  d + static_cast<std::ptrdiff_t>(row) * dst.Width());
    return;
  }
  Dispatch(op, d, dst.Width(), s, src.Width(), cols.length, rows.length, +1);
}

void StretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, RasterOp op) {
  if (width >= 0) {
    BitBlt(dst, x, y, width, height, src, sx, sy, op);
    return;
  }
  if (height <= 0)
    return;
  int n = -width;
  // Source column sx + k lands on destination column x - 1 - k.
  Span bySource = Clip(sx, n, src.Width());
  // x - 1 - k lies on the surface for k from x - dst.Width() up to x - 1.
  Span byDest;
  byDest.skip = std::max(0, x - dst.Width());
  byDest.length = std::max(0, std::min(x, n) - byDest.skip);
  Span cols = Intersect(bySource, byDest);
  Span rows = RowSpan(dst, y, src, sy, height);
  if (cols.length == 0 || rows.length == 0)
    return;
  Pixel* d = dst.Row(y + rows.skip) + (x - 1 - cols.skip);
  const Pixel* s = src.Row(sy + rows.skip) + sx + cols.skip;
  Dispatch(op, d, dst.Width(), s, src.Width(), cols.length, rows.length, -1);
}

}  // namespace quimbel::engine
