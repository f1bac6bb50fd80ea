#pragma once
// Sprite sheets made for tests: a small figure per cell whose every pixel is
// known, so frame pixels can be checked exactly.
#include <array>

#include "base/surface.hpp"
#include "engine/frame.hpp"

namespace quimbel::fixtures {

// Within each 80 x 140 cell: the figure is the rectangle kFigure (mask black).
// One pixel inside it is white in the image (an eye), and one pixel outside
// it is green in the image over a white mask (a stray pixel).
struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};
inline constexpr Box kFigure{10, 20, 30, 60};
inline constexpr int kEyeX = 15, kEyeY = 25;
inline constexpr int kStrayX = 60, kStrayY = 100;
inline constexpr base::Pixel kStrayColour = 0x00FF00;

// The figure's colour tells the kind and the column apart.
inline base::Pixel FigureColour(int kind, int column) {
  return base::Rgb(static_cast<std::uint8_t>(20 + 30 * kind),
                   static_cast<std::uint8_t>(10 + 60 * column), 0x80);
}

inline bool InFigure(int cx, int cy) {
  return cx >= kFigure.left && cx < kFigure.right && cy >= kFigure.top && cy < kFigure.bottom;
}

// The image pixel and the mask pixel of cell column c at cell position (cx, cy).
inline base::Pixel ImagePixel(int kind, int c, int cx, int cy) {
  if (cx == kEyeX && cy == kEyeY)
    return base::kWhite;
  if (cx == kStrayX && cy == kStrayY)
    return kStrayColour;
  return InFigure(cx, cy) ? FigureColour(kind, c) : base::kWhite;
}
inline base::Pixel MaskPixel(int cx, int cy) {
  return InFigure(cx, cy) ? base::kBlack : base::kWhite;
}

inline base::Surface MakeSheet(int kind) {
  base::Surface s(engine::kSheetWidth, engine::kSheetHeight, base::kWhite);
  for (int c = 0; c < engine::kSheetColumns; ++c) {
    for (int cy = 0; cy < engine::kCellHeight; ++cy) {
      for (int cx = 0; cx < engine::kCellWidth; ++cx) {
        s.At(c * engine::kCellWidth + cx, cy) = ImagePixel(kind, c, cx, cy);
        s.At(c * engine::kCellWidth + cx, engine::kCellHeight + cy) = MaskPixel(cx, cy);
      }
    }
  }
  return s;
}

// All seven, made once.
inline const std::array<base::Surface, 7>& TestSheets() {
  static const std::array<base::Surface, 7> sheets = [] {
    std::array<base::Surface, 7> a;
    for (int k = 0; k < 7; ++k)
      a[k] = MakeSheet(k);
    return a;
  }();
  return sheets;
}

}  // namespace quimbel::fixtures
