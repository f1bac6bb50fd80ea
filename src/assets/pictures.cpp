#include "assets/pictures.hpp"

#include <array>
#include <string>

#include "assets/embedded.hpp"
#include "assets/png_decoder.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::assets {
namespace {

engine::Icon LoadIcon(const std::string& name, int w, int h) {
  return DecodePicture(EmbeddedBytes(name), w, h, name);
}

// The sheets and portraits are drawn pictures without transparency; a
// transparent pixel in one means the file is not the one the art tool made.
engine::Surface LoadPicture(const std::string& name, int w, int h) {
  engine::Icon icon = LoadIcon(name, w, h);
  for (bool clear : icon.transparent) {
    if (clear) {
      throw base::RuntimeError(kInvalidPicture, base::kErrorSource,
                               "Invalid picture: " + name + " (has transparent pixels)");
    }
  }
  return std::move(icon.colour);
}

void CheckIndex(int i, int count) {
  if (i < 0 || i >= count) {
    throw base::RuntimeError::SubscriptOutOfRange();
  }
}

template <int N, typename T, typename Load>
std::array<T, N> LoadSeries(Load load) {
  std::array<T, N> out;
  for (int i = 0; i < N; ++i) {
    out[static_cast<std::size_t>(i)] = load(i);
  }
  return out;
}

}  // namespace

const engine::Surface& SpriteSheet(int kind) {
  CheckIndex(kind, kCastSize);
  static const auto sheets = LoadSeries<kCastSize, engine::Surface>(
      [](int n) { return LoadPicture("pat" + std::to_string(n) + ".png", 320, 280); });
  return sheets[static_cast<std::size_t>(kind)];
}

const engine::Surface& Portrait(int kind) {
  CheckIndex(kind, kCastSize);
  static const auto portraits = LoadSeries<kCastSize, engine::Surface>(
      [](int n) { return LoadPicture("portrait" + std::to_string(n) + ".png", 80, 80); });
  return portraits[static_cast<std::size_t>(kind)];
}

const engine::Surface& DialogPicture() {
  static const engine::Surface s = LoadPicture("dialog_cat.png", 80, 80);
  return s;
}

const engine::Icon& ProgramIcon() {
  static const engine::Icon i = LoadIcon("program_icon.png", 32, 32);
  return i;
}

const engine::Icon& HelpIcon() {
  static const engine::Icon i = LoadIcon("help_icon.png", 80, 80);
  return i;
}

const engine::Icon& InvisiblePointer() {
  static const engine::Icon i = LoadIcon("pointer.png", 32, 32);
  return i;
}

const engine::Surface& PreviewPicture() {
  static const engine::Surface s = LoadPicture("preview.png", 175, 140);
  return s;
}

const engine::Surface& Logo() {
  static const engine::Surface s = LoadPicture("logo.png", 50, 50);
  return s;
}

const engine::Icon& Cyclist(int i) {
  CheckIndex(i, kCyclists);
  static const auto riders = LoadSeries<kCyclists, engine::Icon>(
      [](int n) { return LoadIcon("cyclist" + std::to_string(n) + ".png", 32, 32); });
  return riders[static_cast<std::size_t>(i)];
}

const engine::Icon& CyclistIcon() {
  static const engine::Icon i = LoadIcon("cyclist_icon.png", 32, 32);
  return i;
}

}  // namespace quimbel::assets
