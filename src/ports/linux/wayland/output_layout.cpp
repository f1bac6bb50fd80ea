#include "ports/linux/wayland/output_layout.hpp"

#include <algorithm>

namespace quimbel::linux_port {

OutputArea InPixels(const OutputArea& logical, int scale) {
  return {logical.x * scale, logical.y * scale, logical.width * scale, logical.height * scale};
}

std::vector<base::Rect> DamageOnOutput(std::span<const base::Rect> changed,
                                       platform::Point32 frameOrigin, const OutputArea& output) {
  std::vector<base::Rect> local;
  for (const base::Rect& r : changed) {
    // In the output's coordinates, then cut to its size.
    const int left = std::max(r.x + frameOrigin.x - output.x, 0);
    const int top = std::max(r.y + frameOrigin.y - output.y, 0);
    const int right = std::min(r.x + r.width + frameOrigin.x - output.x, output.width);
    const int bottom = std::min(r.y + r.height + frameOrigin.y - output.y, output.height);
    if (right > left && bottom > top)
      local.push_back({left, top, right - left, bottom - top});
  }
  return local;
}

}  // namespace quimbel::linux_port
