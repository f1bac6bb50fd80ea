#pragma once
// Writes a surface as a PNG file: 8-bit RGB, the image data in stored
// (uncompressed) deflate blocks, so no compression library is needed.
#include <string>
#include <vector>

#include "base/surface.hpp"

namespace quimbel::headless {

// The whole PNG file for the picture.
std::vector<unsigned char> EncodePng(const base::Surface& picture);

// Writes EncodePng's bytes to path; false when the file cannot be written.
bool WritePngFile(const base::Surface& picture, const std::string& path);

}  // namespace quimbel::headless
