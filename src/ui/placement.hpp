#pragma once
// Laying windows out in code: every control is sized and moved in pixels, its
// font scaled from the size wanted at 96 dots per inch, and every window gets
// an exact client size, centred on the primary monitor.
#include "base/int16.hpp"
#include "platform/forms.hpp"
#include "platform/screen.hpp"

namespace quimbel::ui {

// floor(size × twips per pixel / 15): the given size at 15 twips per pixel,
// smaller on denser screens so that text still fits boxes measured in pixels.
// The horizontal factor serves for every font, vertical extent included.
float ScaledFontSize(platform::Screen& screen, base::Int16 size);

// The helpers take anything that has the four geometry setters (and, for the
// two font helpers, SetFontSize), so one helper serves every kind of control.
template <class Target>
void SetBounds(Target& target, base::Int16 width, base::Int16 height, base::Int16 left,
               base::Int16 top) {
  target.SetWidth(width);
  target.SetHeight(height);
  target.SetLeft(left);
  target.SetTop(top);
}

// For controls whose height follows from their font (a drop-down list): no
// height is asked for, since a port may honour one. The ports keep a control's
// position when its font changes its height, so the order is not what counts.
template <class Target>
void PlaceCombo(platform::Screen& screen, Target& target, base::Int16 fontSize, base::Int16 width,
                base::Int16 left, base::Int16 top) {
  target.SetFontSize(ScaledFontSize(screen, fontSize));
  target.SetWidth(width);
  target.SetLeft(left);
  target.SetTop(top);
}

template <class Target>
void PlaceControl(platform::Screen& screen, Target& target, base::Int16 fontSize, base::Int16 width,
                  base::Int16 height, base::Int16 left, base::Int16 top) {
  target.SetFontSize(ScaledFontSize(screen, fontSize));
  target.SetWidth(width);
  target.SetHeight(height);
  target.SetLeft(left);
  target.SetTop(top);
}

// Gives the form a client area of exactly clientWidth × clientHeight pixels,
// keeping whatever frame the platform draws, and centres the whole window on
// the primary monitor. The pixel size converted to twips is a 16-bit product: a size
// too large for it is an overflow error.
void FitClientAndCentre(platform::Screen& screen, platform::Form& form, base::Int16 clientWidth,
                        base::Int16 clientHeight);

}  // namespace quimbel::ui
