#pragma once
// Turning the core's pictures into what GDI and user32 draw with.
#include <windows.h>

#include "base/surface.hpp"

namespace quimbel::win32_port {

// Copies the surface unscaled to (x, y) of the device context: one
// SetDIBitsToDevice over the surface's own pixels, rows top down.
void DrawSurface(HDC dc, int x, int y, const base::Surface& surface);

// An icon or pointer made from a picture with its transparency mask. The
// caller destroys it (DestroyIcon / DestroyCursor).
HICON CreateIconFrom(const base::Icon& icon);
HCURSOR CreateCursorFrom(const base::Icon& icon, int hotX, int hotY);

// A top-down 32-bit DIB section of the given size; *bits receives its pixels.
HBITMAP CreateDib(int width, int height, void** bits);

}  // namespace quimbel::win32_port
