#include "assets/pictures.hpp"

namespace quimbel::assets {
namespace {

// Placeholder until the art exists: plain pictures of the right sizes.
engine::Icon MakeIcon(int w, int h, bool transparent) {
  engine::Icon icon;
  icon.colour.Reset(w, h, engine::kWhite);
  icon.transparent.assign(static_cast<std::size_t>(w * h), transparent);
  return icon;
}

}  // namespace

const engine::Surface& SpriteSheet(int) {
  static const engine::Surface s(320, 280, engine::kWhite);
  return s;
}
const engine::Surface& Portrait(int) {
  static const engine::Surface s(80, 80, engine::kWhite);
  return s;
}
const engine::Surface& DialogPicture() { return Portrait(0); }
const engine::Icon& ProgramIcon() {
  static const engine::Icon i = MakeIcon(32, 32, false);
  return i;
}
const engine::Icon& HelpIcon() {
  static const engine::Icon i = MakeIcon(80, 80, false);
  return i;
}
const engine::Icon& InvisiblePointer() {
  static const engine::Icon i = MakeIcon(32, 32, true);
  return i;
}
const engine::Surface& PreviewPicture() {
  static const engine::Surface s(175, 140, engine::kBlack);
  return s;
}
const engine::Surface& Logo() {
  static const engine::Surface s(50, 50, engine::Rgb(0, 0, 192));
  return s;
}
const engine::Icon& Cyclist(int) { return CyclistIcon(); }
const engine::Icon& CyclistIcon() {
  static const engine::Icon i = MakeIcon(32, 32, true);
  return i;
}

}  // namespace quimbel::assets
