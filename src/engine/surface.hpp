#pragma once
// A picture held in memory: 32-bit pixels 0x00RRGGBB, rows top to bottom.
// Every drawing surface of the program (screen buffers, sprite sheets,
// pictures) is one of these; the raster operations work on them bit by bit.
#include <cstdint>
#include <vector>

namespace quimbel::engine {

using Pixel = std::uint32_t;

constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) | b;
}
inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = kBlack) { Reset(width, height, fill); }

  // Gives the surface a new size, filled with one colour. Negative sizes count as 0.
  void Reset(int width, int height, Pixel fill = kBlack) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }

  Pixel* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel& At(int x, int y) { return Row(y)[x]; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  Pixel* Data() { return pixels_.data(); }
  const Pixel* Data() const { return pixels_.data(); }

  bool operator==(const Surface&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// A picture with a per-pixel transparency bit (icons, pointers, cyclists).
struct Icon {
  Surface colour;
  std::vector<bool> transparent;  // one per pixel, row-major; true = masked out
};

}  // namespace quimbel::engine
