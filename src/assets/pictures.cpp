#include "assets/pictures.hpp"

#include <array>
#include <string>

#include "assets/embedded.hpp"
#include "assets/png_decoder.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::assets {
namespace {

base::Icon LoadIcon(const std::string& name, int w, int h) {
  return DecodePicture(EmbeddedBytes(name), w, h, name);
}

// The sheets and portraits are drawn pictures without transparency; a
// transparent pixel in one means the file is not the one the art tool made.
base::Surface LoadPicture(const std::string& name, int w, int h) {
  base::Icon icon = LoadIcon(name, w, h);
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

const base::Surface& SpriteSheet(int kind) {
  CheckIndex(kind, kCastSize);
  static const auto sheets = LoadSeries<kCastSize, base::Surface>(
      [](int n) { return LoadPicture("pat" + std::to_string(n) + ".png", 320, 280); });
  return sheets[static_cast<std::size_t>(kind)];
}

const base::Surface& Portrait(int kind) {
  CheckIndex(kind, kCastSize);
  static const auto portraits = LoadSeries<kCastSize, base::Surface>(
      [](int n) { return LoadPicture("portrait" + std::to_string(n) + ".png", 80, 80); });
  return portraits[static_cast<std::size_t>(kind)];
}

const base::Surface& DialogPicture() {
  static const base::Surface s = LoadPicture("dialog_cat.png", 80, 80);
  return s;
}

const base::Icon& ProgramIcon() {
  static const base::Icon i = LoadIcon("program_icon.png", 32, 32);
  return i;
}

const base::Icon& HelpIcon() {
  static const base::Icon i = LoadIcon("help_icon.png", 80, 80);
  return i;
}

const base::Icon& InvisiblePointer() {
  static const base::Icon i = LoadIcon("pointer.png", 32, 32);
  return i;
}

const base::Surface& PreviewPicture() {
  static const base::Surface s = LoadPicture("preview.png", 175, 140);
  return s;
}

const base::Surface& Logo() {
  static const base::Surface s = LoadPicture("logo.png", 50, 50);
  return s;
}

const base::Icon& Cyclist(int i) {
  CheckIndex(i, kCyclists);
  static const auto riders = LoadSeries<kCyclists, base::Icon>(
      [](int n) { return LoadIcon("cyclist" + std::to_string(n) + ".png", 32, 32); });
  return riders[static_cast<std::size_t>(i)];
}

const base::Icon& CyclistIcon() {
  static const base::Icon i = LoadIcon("cyclist_icon.png", 32, 32);
  return i;
}

}  // namespace quimbel::assets
