// The raster operations on tiny surfaces, pixel by pixel: they are the
// saver's transparency, so every bit counts.
#include <gtest/gtest.h>

#include "engine/raster.hpp"

using namespace quimbel::engine;

namespace {

// A surface whose pixel (x, y) is Tag(x, y): every pixel tells where it came from.
Pixel Tag(int x, int y) {
  return static_cast<Pixel>(0x100000 + y * 0x100 + x);
}
Surface Tagged(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.At(x, y) = Tag(x, y);
  return s;
}

constexpr Pixel kFill = 0x123456;

}  // namespace

TEST(RasterTest, EachOperationIsItsBitwiseFormula) {
  const Pixel srcs[] = {0x000000, 0xFFFFFF, 0xA5C30F, 0x00FF00};
  const Pixel dsts[] = {0x000000, 0xFFFFFF, 0x5A3CF0, 0x123456};
  for (Pixel s : srcs) {
    for (Pixel d : dsts) {
      Surface src(1, 1, s);
      Surface a(1, 1, d), b(1, 1, d), c(1, 1, d);
      StretchBlt(a, 0, 0, 1, 1, src, 0, 0, RasterOp::kSrcCopy);
      StretchBlt(b, 0, 0, 1, 1, src, 0, 0, RasterOp::kSrcErase);
      StretchBlt(c, 0, 0, -1, 1, src, 0, 0, RasterOp::kSrcInvert);  // mirrored: lands at x - 1
      EXPECT_EQ(a.At(0, 0), s);
      EXPECT_EQ(b.At(0, 0), (s & ~d) & 0xFFFFFFFF);
      EXPECT_EQ(c.At(0, 0), d) << "x - 1 is off the surface: nothing drawn";
      StretchBlt(c, 1, 0, -1, 1, src, 0, 0, RasterOp::kSrcInvert);
      EXPECT_EQ(c.At(0, 0), s ^ d);
    }
  }
}

TEST(RasterTest, BitBltCopiesTheRectangleAndNothingElse) {
  Surface src = Tagged(6, 5);
  Surface dst(8, 7, kFill);
  BitBlt(dst, 3, 2, 4, 3, src, 1, 1, RasterOp::kSrcCopy);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 3 && x < 7 && y >= 2 && y < 5;
      EXPECT_EQ(dst.At(x, y), inside ? Tag(x - 2, y - 1) : kFill) << x << "," << y;
    }
  }
  Surface whole(6, 5, kFill);
  BitBlt(whole, 0, 0, 6, 5, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(whole, src);
}

TEST(RasterTest, MirroredCellFillsTheColumnsLeftOfX) {
  // A 3 x 2 cell mirrored at x = 5 lands on columns 2, 3, 4: the cell's first
  // column on x - 1, its last on x - 3.
  Surface sheet = Tagged(7, 4);
  Surface dst(8, 4, kFill);
  StretchBlt(dst, 5, 1, -3, 2, sheet, 2, 2, RasterOp::kSrcCopy);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      Pixel want = kFill;
      if (y >= 1 && y < 3 && x >= 2 && x <= 4)
        want = Tag(2 + (4 - x), y + 1);
      EXPECT_EQ(dst.At(x, y), want) << x << "," << y;
    }
  }
}

TEST(RasterTest, ClipsAtAllFourEdgesStraightAndMirrored) {
  Surface sheet = Tagged(4, 4);
  // Straight: a 4 x 4 cell at (-2, -1) on a 3 x 3 surface, and at (1, 2).
  Surface a(3, 3, kFill);
  BitBlt(a, -2, -1, 4, 4, sheet, 0, 0, RasterOp::kSrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(a.At(x, y), x < 2 ? Tag(x + 2, y + 1) : kFill) << x << "," << y;
  Surface b(3, 3, kFill);
  StretchBlt(b, 1, 2, 4, 4, sheet, 0, 0, RasterOp::kSrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(b.At(x, y), (x >= 1 && y == 2) ? Tag(x - 1, 0) : kFill) << x << "," << y;

  // Mirrored past the right edge: x = 5 on a 3-wide surface covers columns
  // 1 to 4, of which 1 and 2 exist and hold cell columns 3 and 2.
  Surface c(3, 3, kFill);
  StretchBlt(c, 5, 0, -4, 3, sheet, 0, 0, RasterOp::kSrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(c.At(x, y), x >= 1 ? Tag(4 - x, y) : kFill) << x << "," << y;
  // Mirrored past the left edge: x = 2 covers columns -2 to 1.
  Surface d(3, 3, kFill);
  StretchBlt(d, 2, 1, -4, 4, sheet, 0, 0, RasterOp::kSrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(d.At(x, y), (x <= 1 && y >= 1) ? Tag(1 - x, y - 1) : kFill) << x << "," << y;

  // Wholly outside, or a source rectangle beyond its surface: nothing at all.
  Surface e(3, 3, kFill);
  const Surface untouched = e;
  StretchBlt(e, 3, 0, 4, 3, sheet, 0, 0, RasterOp::kSrcCopy);
  StretchBlt(e, 0, 0, -4, 3, sheet, 0, 0, RasterOp::kSrcCopy);
  StretchBlt(e, 0, -4, 4, 4, sheet, 0, 0, RasterOp::kSrcCopy);
  StretchBlt(e, 0, 3, 4, 4, sheet, 0, 0, RasterOp::kSrcCopy);
  StretchBlt(e, 0, 0, 3, 3, sheet, 4, 0, RasterOp::kSrcCopy);
  StretchBlt(e, 0, 0, 3, 0, sheet, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(e, untouched);
  // A source that runs off its sheet draws only the part it holds.
  Surface f(3, 3, kFill);
  BitBlt(f, 0, 0, 3, 3, sheet, 2, 3, RasterOp::kSrcCopy);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(f.At(x, y), (x < 2 && y == 0) ? Tag(x + 2, 3) : kFill) << x << "," << y;
}

TEST(RasterTest, MaskedCellInOnePassEqualsTheTwoSteps) {
  // Random sheet and ground; every placement around and across the edges,
  // straight and mirrored, and cells that run off the sheet.
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFFF;
  };
  Surface sheet(12, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      sheet.At(x, y) = (x + y) % 3 == 0 ? 0 : (x % 4 == 0 ? 0xFFFFFF : next());
  Surface ground(9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      ground.At(x, y) = next();
  for (int width : {5, -5}) {
    for (int y = -6; y <= 8; ++y) {
      for (int x = -6; x <= 15; ++x) {
        for (int maskX : {0, 9}) {
          Surface two = ground, one = ground;
          StretchBlt(two, x, y, width, 5, sheet, maskX, 5, RasterOp::kSrcErase);
          StretchBlt(two, x, y, width, 5, sheet, 3, 0, RasterOp::kSrcInvert);
          MaskedStretchBlt(one, x, y, width, 5, sheet, maskX, 5, 3, 0);
          ASSERT_EQ(one, two) << "x " << x << " y " << y << " width " << width << " mask " << maskX;
        }
      }
    }
  }
}

TEST(RasterTest, RowSpansSkipOnlyWhatTheCellLeavesAlone) {
  // A cell with white margins of differing width per row, a stray inked
  // pixel in one margin, and an empty row.
  std::uint32_t seed = 777;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFFF;
  };
  const int w = 10, h = 6;
  Surface sheet(w, 2 * h, kWhite);
  for (int row = 0; row < h; ++row) {
    if (row == 4)
      continue;
    for (int col = row; col < w - 2; ++col) {
      sheet.At(col, row) = next();
      sheet.At(col, h + row) = (col + row) % 2 ? kBlack : kWhite;
    }
  }
  sheet.At(9, h + 5) = kBlack;  // inked in the mask only
  RowSpan spans[h];
  FindRowSpans(sheet, 0, h, 0, 0, w, h, spans);
  EXPECT_EQ(spans[0].first, 0);
  EXPECT_EQ(spans[0].last, 8);
  EXPECT_EQ(spans[3].first, 3);
  EXPECT_EQ(spans[4].first, spans[4].last) << "nothing inked";
  EXPECT_EQ(spans[5].last, 10);

  Surface ground(13, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x)
      ground.At(x, y) = next();
  for (int width : {w, -w}) {
    for (int y = -7; y <= 9; ++y) {
      for (int x = -11; x <= 24; ++x) {
        Surface plain = ground, skipping = ground;
        MaskedStretchBlt(plain, x, y, width, h, sheet, 0, h, 0, 0);
        MaskedStretchBlt(skipping, x, y, width, h, sheet, 0, h, 0, 0, spans);
        ASSERT_EQ(skipping, plain) << "x " << x << " y " << y << " width " << width;
        // A band of the rectangle's rows, as frames draw them.
        Surface band = ground, bandPlain = ground;
        MaskedStretchBlt(bandPlain, x, y + 2, width, 3, sheet, 0, h + 2, 0, 2);
        MaskedStretchBlt(band, x, y + 2, width, 3, sheet, 0, h + 2, 0, 2, spans + 2);
        ASSERT_EQ(band, bandPlain) << "band at x " << x << " y " << y;
      }
    }
  }
}
