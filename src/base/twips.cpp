#include "base/twips.hpp"

#include <cmath>
#include <limits>

namespace quimbel::base {

double TwipsPerPixel(double scale) {
  // Through the dpi, so that 120 and 144 dpi give exactly 12 and 10.
  return scale > 0 ? 1440.0 / (96.0 * scale) : 15.0;
}

int TwipsToPixels(double twips, double twipsPerPixel) {
  if (!(twipsPerPixel > 0) || std::isnan(twips))
    return 0;
  const double pixels = std::round(twips / twipsPerPixel);
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  if (pixels <= kLow)
    return std::numeric_limits<int>::min();
  if (pixels >= kHigh)
    return std::numeric_limits<int>::max();
  return static_cast<int>(pixels);
}

}  // namespace quimbel::base
