#include "ui/placement.hpp"

#include <cmath>

#include "base/rounding.hpp"

namespace quimbel::ui {

float ScaledFontSize(platform::Screen& screen, base::Int16 size) {
  return static_cast<float>(std::floor(size * screen.TwipsPerPixelX() / 15.0));
}

void FitClientAndCentre(platform::Screen& screen, platform::Form& form, base::Int16 clientWidth,
                        base::Int16 clientHeight) {
  base::Int16 tx = base::CInt16(screen.TwipsPerPixelX());
  double outerWidth = form.OuterWidthTwips();
  double frameWidth = outerWidth - tx * static_cast<double>(form.ClientWidthPx());
  form.SetOuterWidthTwips(frameWidth + base::CheckedInt16(clientWidth * tx));

  // Measured only now: a menu bar wraps to the new width, and the frame's
  // height with it.
  base::Int16 ty = base::CInt16(screen.TwipsPerPixelY());
  double outerHeight = form.OuterHeightTwips();
  double frameHeight = outerHeight - ty * static_cast<double>(form.ClientHeightPx());
  form.SetOuterHeightTwips(frameHeight + base::CheckedInt16(clientHeight * ty));

  // On the primary monitor, wherever it lies on the desktop: that is where
  // the user looks for a window that opens.
  platform::Rect32 primary = screen.PrimaryMonitorPx();
  double primaryWidth = static_cast<double>(primary.right) - primary.left;
  double primaryHeight = static_cast<double>(primary.bottom) - primary.top;
  form.SetLeftTwips(primary.left * screen.TwipsPerPixelX() +
                    (primaryWidth * screen.TwipsPerPixelX() - form.OuterWidthTwips()) / 2);
  form.SetTopTwips(primary.top * screen.TwipsPerPixelY() +
                   (primaryHeight * screen.TwipsPerPixelY() - form.OuterHeightTwips()) / 2);
}

}  // namespace quimbel::ui
