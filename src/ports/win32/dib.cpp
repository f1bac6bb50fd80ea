#include "ports/win32/dib.hpp"

namespace quimbel::win32_port {

void DrawSurface(HDC dc, int x, int y, const engine::Surface& surface) {
  if (surface.Empty())
    return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = surface.Width();
  info.bmiHeader.biHeight = -surface.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(surface.Width()),
                    static_cast<DWORD>(surface.Height()), 0, 0, 0,
                    static_cast<UINT>(surface.Height()), surface.Data(), &info, DIB_RGB_COLORS);
}

}  // namespace quimbel::win32_port
