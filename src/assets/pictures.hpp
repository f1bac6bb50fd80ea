#pragma once
// The pictures built into the program, decoded once on first use.
#include "base/surface.hpp"

namespace quimbel::assets {

using base::Icon;
using base::Pixel;
using base::Rect;
using base::Rgb;
using base::Surface;

// The characters: sprite sheets, portraits and names are numbered 0 to 6.
inline constexpr int kCastSize = 7;
inline constexpr int kCyclists = 4;

const base::Surface& SpriteSheet(int kind);  // pat(kind): 320 x 280, kind 0..6
const base::Surface& Portrait(int kind);     // help window Image1(kind): 80 x 80
const base::Surface& DialogPicture();        // frmSet's Image1: 80 x 80
const base::Icon& ProgramIcon();             // 32 x 32, the cat's face
const base::Icon& HelpIcon();                // 80 x 80, the whole cat
const base::Icon& InvisiblePointer();        // imgcur: 32 x 32, all transparent
const base::Surface& PreviewPicture();       // 175 x 140
const base::Surface& Logo();                 // 50 x 50
const base::Icon& Cyclist(int i);            // ImageSensyu(i): 32 x 32, i 0..3
const base::Icon& CyclistIcon();             // salesf's icon: 32 x 32

}  // namespace quimbel::assets
