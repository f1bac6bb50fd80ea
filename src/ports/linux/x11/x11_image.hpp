#pragma once
// Pixels of an X image into a surface.
#include "base/surface.hpp"

struct _XDisplay;
struct _XImage;

namespace quimbel::linux_port {

// Whether the image holds 0x00RRGGBB pixels as they are, the surfaces' own.
bool TakesOurPixels(const _XImage* image);

// Copies the image's top-left width x height pixels into dst at (dx, dy), as
// 0x00RRGGBB. An image of a pixmap carries no colour masks: those of the
// display's default visual stand in.
void CopyXImage(_XDisplay* display, _XImage* image, base::Surface& dst, int dx, int dy, int width,
                int height);

}  // namespace quimbel::linux_port
