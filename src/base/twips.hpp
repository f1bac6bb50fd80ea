#pragma once
// The program's own layout numbers are written in twips (1/1440 inch); the
// screen speaks pixels and a scale. This is the one place where the two meet.
namespace quimbel::base {

// Twips per pixel at a monitor's scale (logical dpi / 96): 15 at 1, 12 at
// 1.25, 10 at 1.5. A scale that is not positive counts as 1.
double TwipsPerPixel(double scale);

// Twips to whole pixels, to the nearest with halves away from zero. A
// twips-per-pixel that is not positive gives 0; a result beyond int's range
// stops at its end.
int TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace quimbel::base
