#include "app/saver_area.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/cast.hpp"

namespace quimbel::app {
namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int16_t>::max();

struct Span {
  int start = 0;
  int extent = 0;
};

// One axis: [low, high) cut to the 16-bit range and to at most widest pixels,
// keeping primaryStart inside where it can.
Span FitAxis(std::int64_t low, std::int64_t high, std::int64_t primaryStart, std::int64_t widest) {
  low = std::max(low, kLowest);
  high = std::min(high, kHighest);
  if (high <= low)
    return {};
  if (high - low > widest) {
    low = std::clamp(primaryStart, low, high - widest);
    high = low + widest;
  }
  return {static_cast<int>(low), static_cast<int>(high - low)};
}

}  // namespace

SaverArea FitSaverArea(const platform::Rect32& desktop, const platform::Rect32& primary,
                       int sceneScale) {
  Span x =
      FitAxis(desktop.left, desktop.right, primary.left, engine::WidestDrawingArea(sceneScale));
  Span y = FitAxis(desktop.top, desktop.bottom, primary.top, kHighest);
  return {x.start, y.start, x.extent, y.extent};
}

}  // namespace quimbel::app
