#pragma once
// Drawing the core's surfaces on a Win32 device context.
#include <windows.h>

#include "engine/surface.hpp"

namespace quimbel::win32_port {

// Copies the surface unscaled to (x, y) of the device context: one
// SetDIBitsToDevice over the surface's own pixels, rows top down.
void DrawSurface(HDC dc, int x, int y, const engine::Surface& surface);

}  // namespace quimbel::win32_port
