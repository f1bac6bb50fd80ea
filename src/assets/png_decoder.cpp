#include "assets/png_decoder.hpp"

#include <cstdint>
#include <memory>
#include <string>

#include "assets/embedded.hpp"
#include "base/runtime_error.hpp"

// stb is third-party code: its own warnings are not ours to fix.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wconversion"
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace quimbel::assets {
namespace {

[[noreturn]] void Fail(std::string_view what, const std::string& why) {
  throw base::RuntimeError(kInvalidPicture, base::kErrorSource,
                           "Invalid picture: " + std::string(what) + " (" + why + ")");
}

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

base::Icon DecodePicture(std::span<const unsigned char> bytes, int width, int height,
                         std::string_view what) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
    Fail(what, "no data");
  }
  int w = 0;
  int h = 0;
  int channels = 0;
  std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(
      bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, STBI_rgb_alpha));
  if (!rgba) {
    Fail(what, "does not decode");
  }
  if (w != width || h != height) {
    Fail(what, std::to_string(w) + " x " + std::to_string(h) + " instead of " +
                   std::to_string(width) + " x " + std::to_string(height));
  }
  base::Icon out;
  out.colour.Reset(w, h);
  out.transparent.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
  const stbi_uc* p = rgba.get();
  for (int y = 0; y < h; ++y) {
    base::Pixel* row = out.colour.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
      if (p[3] < 128) {
        out.transparent[i] = true;
        row[x] = base::kBlack;
      } else {
        row[x] = base::Rgb(p[0], p[1], p[2]);
      }
    }
  }
  return out;
}

std::span<const unsigned char> EmbeddedBytes(std::string_view name) {
  for (const EmbeddedFile& f : EmbeddedFiles()) {
    if (f.name == name) {
      return {f.data, f.size};
    }
  }
  Fail(name, "not built in");
}

}  // namespace quimbel::assets
