#pragma once
// A picture held in memory: 32-bit pixels 0x00RRGGBB, rows top to bottom.
// Every drawing surface of the program (screen buffers, sprite sheets,
// pictures) is one of these; the raster operations work on them bit by bit.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace quimbel::base {

using Pixel = std::uint32_t;

constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) | b;
}
inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

// A rectangle in pixels: top-left corner (x, y), width and height.
struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  bool operator==(const Rect&) const = default;
};

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = kBlack) { Reset(width, height, fill); }
  // A copy always holds its own pixels, whoever held the original's.
  Surface(const Surface& other) { *this = other; }
  Surface& operator=(const Surface& other) {
    if (this != &other) {
      own_ = Allocate(other.Size(), false);
      if (other.Size() > 0)
        std::memcpy(own_.get(), other.pixels_, other.Size() * sizeof(Pixel));
      Take(other.width_, other.height_, own_.get());
    }
    return *this;
  }
  // The buffer moves with it, so pixels_ stays valid.
  Surface(Surface&& other) noexcept { *this = std::move(other); }
  Surface& operator=(Surface&& other) noexcept {
    if (this != &other) {
      own_ = std::move(other.own_);
      Take(other.width_, other.height_, other.pixels_);
      other.Take(0, 0, nullptr);
    }
    return *this;
  }

  // Gives the surface a new size, filled with one colour. Negative sizes count as 0.
  void Reset(int width, int height, Pixel fill = kBlack) {
    width = width > 0 ? width : 0;
    height = height > 0 ? height : 0;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    own_.reset();  // the old pixels go before the new ones come
    own_ = Allocate(size, fill == 0);
    Take(width, height, own_.get());
    if (fill != 0)
      std::fill(pixels_, pixels_ + size, fill);
  }
  // Draws from now on in memory the caller owns (width * height pixels, rows
  // top down, no gaps), which must outlive the surface or the next Reset.
  void Wrap(Pixel* memory, int width, int height, Pixel fill = kBlack) {
    own_.reset();
    Take(width > 0 ? width : 0, height > 0 ? height : 0, memory);
    std::fill(pixels_, pixels_ + Size(), fill);
  }

  // Whether the pixels are the surface's own, not memory given to Wrap.
  bool OwnsPixels() const { return own_ != nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return Size() == 0; }

  Pixel* Row(int y) { return pixels_ + static_cast<std::size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_ + static_cast<std::size_t>(y) * width_; }
  Pixel& At(int x, int y) { return Row(y)[x]; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
  Pixel* Data() { return pixels_; }
  const Pixel* Data() const { return pixels_; }

  bool operator==(const Surface& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           std::equal(pixels_, pixels_ + Size(), other.pixels_);
  }

 private:
  struct Free {
    void operator()(Pixel* p) const { std::free(p); }
  };
  using Pixels = std::unique_ptr<Pixel[], Free>;

  // Black comes from zeroed allocation: a screen-sized surface's pages then
  // cost memory only where something is drawn.
  static Pixels Allocate(std::size_t size, bool zeroed) {
    if (size == 0)
      return nullptr;
    void* memory = zeroed ? std::calloc(size, sizeof(Pixel)) : std::malloc(size * sizeof(Pixel));
    if (memory == nullptr)
      throw std::bad_alloc();
    return Pixels(static_cast<Pixel*>(memory));
  }
  std::size_t Size() const {
    return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  }
  void Take(int width, int height, Pixel* pixels) {
    width_ = width;
    height_ = height;
    pixels_ = pixels;
  }

  int width_ = 0;
  int height_ = 0;
  Pixel* pixels_ = nullptr;  // own_'s pixels, or the memory given to Wrap
  Pixels own_;
};

// A picture with a per-pixel transparency bit (icons, pointers, cyclists).
struct Icon {
  Surface colour;
  std::vector<bool> transparent;  // one per pixel, row-major; true = masked out
};

}  // namespace quimbel::base
