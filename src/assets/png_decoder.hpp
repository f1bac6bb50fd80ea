#pragma once
// Turns an embedded PNG into a surface and a transparency bit per pixel.
#include <span>
#include <string_view>

#include "base/surface.hpp"

namespace quimbel::assets {

using base::Icon;
using base::Pixel;
using base::Rect;
using base::Rgb;
using base::Surface;

// The classic run-time error number for a picture that cannot be loaded.
inline constexpr int kInvalidPicture = 481;

// Decodes PNG bytes. A pixel with alpha below 128 is transparent and its
// colour reads as black (what an icon's colour plane holds under its mask);
// every other pixel keeps its colour. Throws the invalid-picture run-time
// error, naming `what`, when the bytes do not decode or the size is not
// width x height: a broken picture must never show as a silent blank.
base::Icon DecodePicture(std::span<const unsigned char> bytes, int width, int height,
                         std::string_view what);

}  // namespace quimbel::assets
