#include "ports/linux/x11/x11_image.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>

namespace quimbel::linux_port {

bool TakesOurPixels(const XImage* image) {
  return image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
         image->green_mask == 0xFF00 && image->blue_mask == 0xFF && image->byte_order == LSBFirst;
}

void CopyXImage(Display* display, XImage* image, base::Surface& dst, int dx, int dy, int width,
                int height) {
  if (image->red_mask == 0 && image->green_mask == 0 && image->blue_mask == 0) {
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    image->red_mask = visual->red_mask;
    image->green_mask = visual->green_mask;
    image->blue_mask = visual->blue_mask;
  }
  const bool plain = TakesOurPixels(image);
  for (int row = 0; row < height; ++row) {
    base::Pixel* out = dst.Row(dy + row) + dx;
    if (plain) {
      const auto* src =
          reinterpret_cast<const std::uint32_t*>(image->data + row * image->bytes_per_line);
      for (int col = 0; col < width; ++col)
        out[col] = src[col] & 0xFFFFFF;
      continue;
    }
    for (int col = 0; col < width; ++col)
      out[col] = static_cast<base::Pixel>(XGetPixel(image, col, row)) & 0xFFFFFF;
  }
}

}  // namespace quimbel::linux_port
