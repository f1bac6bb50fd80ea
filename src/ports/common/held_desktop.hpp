#pragma once
// The desktop's picture while the core holds it (Screen::HoldDesktop): taken
// once through the port's own live capture, read by every capture until the
// core lets go of it.
#include <algorithm>
#include <cstring>
#include <utility>

#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::ports {

class HeldDesktop {
 public:
  // captureLive(dst, x, y, width, height) reads the live screen. A failed
  // capture holds nothing, so captures go on reading the live screen.
  template <class CaptureLive>
  void Hold(const platform::Rect32& area, CaptureLive captureLive) {
    picture_ = base::Surface();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
      return;
    base::Surface picture(width, height);
    if (!captureLive(picture, area.left, area.top, width, height))
      return;
    picture_ = std::move(picture);
    left_ = area.left;
    top_ = area.top;
  }
  void Release() { picture_ = base::Surface(); }

  bool Held() const { return !picture_.Empty(); }
  const base::Surface& Picture() const { return picture_; }
  int Left() const { return left_; }
  int Top() const { return top_; }

  // As Capture, for a port whose saver window never paints before its first
  // frame: a capture of exactly the held area into a surface of its own of
  // that size takes the picture itself, not a copy, and nothing is held any
  // more. So the desktop is in memory once, not twice, until the first frame.
  bool HandOver(base::Surface& dst, int x, int y, int width, int height) {
    if (x != left_ || y != top_ || width != picture_.Width() || height != picture_.Height() ||
        dst.Width() != width || dst.Height() != height || !dst.OwnsPixels())
      return Capture(dst, x, y, width, height);
    dst = std::move(picture_);
    return true;
  }

  // Copies the screen rectangle (x, y, width, height) from the picture into
  // dst at (0, 0): a rectangle that starts outside the picture cannot be read.
  bool Capture(base::Surface& dst, int x, int y, int width, int height) const {
    const int left = x - left_;
    const int top = y - top_;
    const int w = std::min({width, dst.Width(), picture_.Width() - left});
    const int h = std::min({height, dst.Height(), picture_.Height() - top});
    if (w <= 0 || h <= 0 || left < 0 || top < 0)
      return false;
    for (int row = 0; row < h; ++row)
      std::memcpy(dst.Row(row), picture_.Row(top + row) + left, static_cast<std::size_t>(w) * 4);
    return true;
  }

 private:
  base::Surface picture_;
  int left_ = 0;
  int top_ = 0;
};

}  // namespace quimbel::ports
