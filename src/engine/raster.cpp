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

// The rectangle both surfaces hold, as offsets into the requested one. For a
// mirrored rectangle, cell column k lands on destination column x - 1 - k.
struct Overlap {
  Span cols;
  Span rows;
  bool Empty() const { return cols.length == 0 || rows.length == 0; }
};

Overlap Place(const Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
              int sy) {
  Overlap o;
  if (width == 0 || height <= 0)
    return o;
  const int n = width < 0 ? -width : width;
  Span byDest;
  if (width > 0) {
    byDest = Clip(x, n, dst.Width());
  } else {
    byDest.skip = std::max(0, x - dst.Width());
    byDest.length = std::max(0, std::min(x, n) - byDest.skip);
  }
  o.cols = Intersect(byDest, Clip(sx, n, src.Width()));
  o.rows = Intersect(Clip(y, height, dst.Height()), Clip(sy, height, src.Height()));
  return o;
}

// The leftmost destination pixel of the overlap's first row for a straight
// rectangle, the rightmost for a mirrored one.
Pixel* DestStart(Surface& dst, int x, int y, int width, const Overlap& o) {
  const int col = width > 0 ? x + o.cols.skip : x - 1 - o.cols.skip;
  return dst.Row(y + o.rows.skip) + col;
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

// Simple loops over whole rows, so the compiler can vectorise them.
template <class Op>
void Rows(Pixel* dst, int dstStride, const Pixel* src, int srcStride, int n, int rows,
          bool mirrored) {
  for (int row = 0; row < rows; ++row) {
    Pixel* __restrict d = dst + static_cast<std::ptrdiff_t>(row) * dstStride;
    const Pixel* __restrict s = src + static_cast<std::ptrdiff_t>(row) * srcStride;
    if (!mirrored) {
      for (int k = 0; k < n; ++k)
        d[k] = Op::Apply(s[k], d[k]);
    } else {
      Pixel* __restrict e = d - (n - 1);
      for (int k = 0; k < n; ++k)
        e[k] = Op::Apply(s[n - 1 - k], e[k]);
    }
  }
}

void Dispatch(RasterOp op, Pixel* dst, int dstStride, const Pixel* src, int srcStride, int n,
              int rows, bool mirrored) {
  switch (op) {
    case RasterOp::kSrcCopy:
      Rows<Copy>(dst, dstStride, src, srcStride, n, rows, mirrored);
      break;
    case RasterOp::kSrcErase:
      Rows<Erase>(dst, dstStride, src, srcStride, n, rows, mirrored);
      break;
    case RasterOp::kSrcInvert:
      Rows<Invert>(dst, dstStride, src, srcStride, n, rows, mirrored);
      break;
  }
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx, int sy,
            RasterOp op) {
  if (width <= 0)
    return;
  StretchBlt(dst, x, y, width, height, src, sx, sy, op);
}

void StretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& src, int sx,
                int sy, RasterOp op) {
  const Overlap o = Place(dst, x, y, width, height, src, sx, sy);
  if (o.Empty())
    return;
  Pixel* d = DestStart(dst, x, y, width, o);
  const Pixel* s = src.Row(sy + o.rows.skip) + sx + o.cols.skip;
  if (op == RasterOp::kSrcCopy && width > 0 && &dst != &src) {
    for (int row = 0; row < o.rows.length; ++row)
      std::copy_n(s + static_cast<std::ptrdiff_t>(row) * src.Width(), o.cols.length,
                  d + static_cast<std::ptrdiff_t>(row) * dst.Width());
    return;
  }
  Dispatch(op, d, dst.Width(), s, src.Width(), o.cols.length, o.rows.length, width < 0);
}

void FindRowSpans(const Surface& sheet, int maskX, int maskY, int imageX, int imageY, int width,
                  int height, RowSpan* spans) {
  auto inked = [&sheet](int px, int py) {
    return px >= 0 && py >= 0 && px < sheet.Width() && py < sheet.Height() &&
           sheet.At(px, py) != kWhite;
  };
  for (int row = 0; row < height; ++row) {
    int first = width, last = 0;
    for (int col = 0; col < width; ++col) {
      if (inked(maskX + col, maskY + row) || inked(imageX + col, imageY + row)) {
        first = std::min(first, col);
        last = col + 1;
      }
    }
    spans[row].first = static_cast<std::int16_t>(first < last ? first : 0);
    spans[row].last = static_cast<std::int16_t>(last);
  }
}

void MaskedStretchBlt(Surface& dst, int x, int y, int width, int height, const Surface& sheet,
                      int maskX, int maskY, int imageX, int imageY, const RowSpan* spans) {
  // Each step clips on its own; where the two cells' overlaps differ (a cell
  // running off the sheet), fall back to the two steps.
  const Overlap o = Place(dst, x, y, width, height, sheet, maskX, maskY);
  const Overlap oi = Place(dst, x, y, width, height, sheet, imageX, imageY);
  if (o.cols.skip != oi.cols.skip || o.cols.length != oi.cols.length ||
      o.rows.skip != oi.rows.skip || o.rows.length != oi.rows.length) {
    StretchBlt(dst, x, y, width, height, sheet, maskX, maskY, RasterOp::kSrcErase);
    StretchBlt(dst, x, y, width, height, sheet, imageX, imageY, RasterOp::kSrcInvert);
    return;
  }
  if (o.Empty())
    return;
  Pixel* first = DestStart(dst, x, y, width, o);
  const Pixel* maskFirst = sheet.Row(maskY + o.rows.skip) + maskX + o.cols.skip;
  const Pixel* imageFirst = sheet.Row(imageY + o.rows.skip) + imageX + o.cols.skip;
  const int skip = o.cols.skip;
  const int n = o.cols.length;
  for (int row = 0; row < o.rows.length; ++row) {
    // Offsets [from, to) into the clipped columns of this row.
    int from = 0, to = n;
    if (spans != nullptr) {
      const RowSpan span = spans[o.rows.skip + row];
      from = std::max(0, span.first - skip);
      to = std::min(n, span.last - skip);
      if (from >= to)
        continue;
    }
    Pixel* d = first + static_cast<std::ptrdiff_t>(row) * dst.Width();
    const Pixel* __restrict m = maskFirst + static_cast<std::ptrdiff_t>(row) * sheet.Width();
    const Pixel* __restrict i = imageFirst + static_cast<std::ptrdiff_t>(row) * sheet.Width();
    if (width > 0) {
      Pixel* __restrict e = d;
      for (int k = from; k < to; ++k)
        e[k] = (m[k] & ~e[k]) ^ i[k];
    } else {
      // Offset k lies at d - k: walk the destination left to right.
      Pixel* __restrict e = d - (to - 1);
      const int count = to - from;
      for (int j = 0; j < count; ++j)
        e[j] = (m[to - 1 - j] & ~e[j]) ^ i[to - 1 - j];
    }
  }
}

void RestoreSpans(Surface& dst, const Surface& src, int x, int y, int width, int height,
                  const RowSpan* spans) {
  const int n = width < 0 ? -width : width;
  const int firstRow = std::max(0, -y);
  const int endRow = std::min(height, dst.Height() - y);
  // The columns [from, to) of a row, clipped; from >= to when there are none.
  auto columns = [&](int row, int& from, int& to) {
    int first = 0, last = n;
    if (spans != nullptr) {
      first = spans[row].first;
      last = spans[row].last;
    }
    from = std::max(width > 0 ? x + first : x - last, 0);
    to = std::min(width > 0 ? x + last : x - first, dst.Width());
  };
  for (int row = firstRow; row < endRow; ++row) {
    int from = 0, to = 0;
    columns(row, from, to);
    if (from < to)
      std::copy_n(src.Row(y + row) + from, to - from, dst.Row(y + row) + from);
  }
}

Rect InkedBounds(const RowSpan* spans, int width, int height) {
  int first = width, last = 0, top = height, bottom = 0;
  for (int row = 0; row < height; ++row) {
    if (spans[row].first >= spans[row].last)
      continue;
    first = std::min<int>(first, spans[row].first);
    last = std::max<int>(last, spans[row].last);
    top = std::min(top, row);
    bottom = row + 1;
  }
  if (first >= last)
    return {};
  return {first, top, last - first, bottom - top};
}

void Enlarge(Surface& dst, int x, int y, const Surface& src, int sx, int sy, int width, int height,
             int n) {
  if (n < 1)
    return;
  for (int row = 0; row < height; ++row) {
    const int from = sy + row;
    if (from < 0 || from >= src.Height())
      continue;
    for (int dy = 0; dy < n; ++dy) {
      const long long to = y + static_cast<long long>(row) * n + dy;
      if (to < 0 || to >= dst.Height())
        continue;
      const Pixel* in = src.Row(from);
      Pixel* out = dst.Row(static_cast<int>(to));
      for (int col = 0; col < width; ++col) {
        const int fromX = sx + col;
        if (fromX < 0 || fromX >= src.Width())
          continue;
        for (int dx = 0; dx < n; ++dx) {
          const long long toX = x + static_cast<long long>(col) * n + dx;
          if (toX >= 0 && toX < dst.Width())
            out[toX] = in[fromX];
        }
      }
    }
  }
}

}  // namespace quimbel::engine
