#include "ui/placement.hpp"

#include <cmath>

#include "base/rounding.hpp"
#include "base/twips.hpp"

namespace quimbel::ui {

float ScaledFontSize(platform::Screen& screen, base::Int16 size) {
  const double tpp = base::TwipsPerPixel(screen.PrimaryMonitorScale());
  return static_cast<float>(std::floor(size * tpp / 15.0));
}

// The arithmetic is the twips arithmetic it always was; only its results
// become pixels, each rounded once.
void FitClientAndCentre(platform::Screen& screen, platform::Form& form, base::Int16 clientWidth,
                        base::Int16 clientHeight) {
  const double tpp = base::TwipsPerPixel(screen.PrimaryMonitorScale());
  base::Int16 tx = base::CInt16(tpp);
  double outerWidth = form.OuterWidthPx() * tpp;
  double frameWidth = outerWidth - tx * static_cast<double>(form.ClientWidthPx());
  form.SetOuterWidthPx(base::TwipsToPixels(frameWidth + base::CheckedInt16(clientWidth * tx), tpp));

  // Measured only now: a menu bar wraps to the new width, and the frame's
  // height with it.
  base::Int16 ty = base::CInt16(tpp);
  double outerHeight = form.OuterHeightPx() * tpp;
  double frameHeight = outerHeight - ty * static_cast<double>(form.ClientHeightPx());
  form.SetOuterHeightPx(
      base::TwipsToPixels(frameHeight + base::CheckedInt16(clientHeight * ty), tpp));

  // On the primary monitor, wherever it lies on the desktop: that is where
  // the user looks for a window that opens.
  platform::Rect32 primary = screen.PrimaryMonitorPx();
  double primaryWidth = static_cast<double>(primary.right) - primary.left;
  double primaryHeight = static_cast<double>(primary.bottom) - primary.top;
  form.SetLeftPx(base::TwipsToPixels(
      primary.left * tpp + (primaryWidth * tpp - form.OuterWidthPx() * tpp) / 2, tpp));
  form.SetTopPx(base::TwipsToPixels(
      primary.top * tpp + (primaryHeight * tpp - form.OuterHeightPx() * tpp) / 2, tpp));
}

}  // namespace quimbel::ui
