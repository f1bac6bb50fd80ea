#include "ports/win32/dib.hpp"

#include <cstring>
#include <vector>

namespace quimbel::win32_port {
namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool IsTransparent(const base::Icon& icon, int x, int y) {
  std::size_t i = static_cast<std::size_t>(y) * icon.colour.Width() + x;
  return i < icon.transparent.size() && icon.transparent[i];
}

HICON CreateIconOrCursor(const base::Icon& icon, bool isIcon, int hotX, int hotY) {
  int w = icon.colour.Width();
  int h = icon.colour.Height();
  if (w <= 0 || h <= 0)
    return nullptr;
  void* bits = nullptr;
  HBITMAP colour = CreateDib(w, h, &bits);
  if (colour == nullptr)
    return nullptr;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  // The AND mask: 1 where the screen shows through; the colour there is 0 so
  // that the XOR step leaves the screen as it is.
  int stride = ((w + 15) / 16) * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool clear = IsTransparent(icon, x, y);
      pixels[static_cast<std::size_t>(y) * w + x] =
          clear ? 0 : (icon.colour.At(x, y) | 0xFF000000u);
      if (clear)
        mask[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  HBITMAP maskBitmap = CreateBitmap(w, h, 1, 1, mask.data());
  ICONINFO info{};
  info.fIcon = isIcon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(hotX);
  info.yHotspot = static_cast<DWORD>(hotY);
  info.hbmMask = maskBitmap;
  info.hbmColor = colour;
  HICON result = CreateIconIndirect(&info);
  DeleteObject(maskBitmap);
  DeleteObject(colour);
  return result;
}

}  // namespace

HBITMAP CreateDib(int width, int height, void** bits) {
  BITMAPINFO info = TopDownInfo(width, height);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void DrawSurface(HDC dc, int x, int y, const base::Surface& surface) {
  if (surface.Empty())
    return;
  BITMAPINFO info = TopDownInfo(surface.Width(), surface.Height());
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(surface.Width()),
                    static_cast<DWORD>(surface.Height()), 0, 0, 0,
                    static_cast<UINT>(surface.Height()), surface.Data(), &info, DIB_RGB_COLORS);
}

HICON CreateIconFrom(const base::Icon& icon) {
  return CreateIconOrCursor(icon, true, 0, 0);
}

HCURSOR CreateCursorFrom(const base::Icon& icon, int hotX, int hotY) {
  return CreateIconOrCursor(icon, false, hotX, hotY);
}

}  // namespace quimbel::win32_port
