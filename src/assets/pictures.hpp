#pragma once
// The pictures built into the program, decoded once on first use.
#include "engine/cara_table.hpp"
#include "engine/surface.hpp"

namespace quimbel::assets {

using engine::kCastSize;
inline constexpr int kCyclists = 4;

const engine::Surface& SpriteSheet(int kind);  // pat(kind): 320 x 280, kind 0..6
const engine::Surface& Portrait(int kind);     // help window Image1(kind): 80 x 80
const engine::Surface& DialogPicture();        // frmSet's Image1: 80 x 80
const engine::Icon& ProgramIcon();             // 32 x 32, the cat's face
const engine::Icon& HelpIcon();                // 80 x 80, the whole cat
const engine::Icon& InvisiblePointer();        // imgcur: 32 x 32, all transparent
const engine::Surface& PreviewPicture();       // 175 x 140
const engine::Surface& Logo();                 // 50 x 50
const engine::Icon& Cyclist(int i);            // ImageSensyu(i): 32 x 32, i 0..3
const engine::Icon& CyclistIcon();             // salesf's icon: 32 x 32

}  // namespace quimbel::assets
