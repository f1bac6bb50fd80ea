// The saver on a dense display: at 192 dpi each sprite pixel is a 2 x 2
// block, so one character measures twice its size at 96 dpi. Over black, with
// one character, its inked box on the screen is measured whenever it lies
// whole inside the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "assets/pictures.hpp"
#include "driver.hpp"

using namespace e2e;

namespace {

constexpr int kKind = 0;
constexpr int kCellWidth = 80, kCellHeight = 140;

struct Box {
  int width = 0, height = 0;
};

// The inked box of each walking column as drawn over black: where the image
// and the mask differ (mask, then image XOR'ed over it).
std::vector<Box> InkedCells() {
  const quimbel::base::Surface& sheet = quimbel::assets::SpriteSheet(kKind);
  std::vector<Box> boxes;
  for (int c = 0; c < 4; ++c) {
    int left = kCellWidth, right = -1, top = kCellHeight, bottom = -1;
    for (int y = 0; y < kCellHeight; ++y) {
      for (int x = 0; x < kCellWidth; ++x) {
        const auto image = sheet.At(c * kCellWidth + x, y) & 0xFFFFFF;
        const auto mask = sheet.At(c * kCellWidth + x, kCellHeight + y) & 0xFFFFFF;
        if (image != mask) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
      }
    }
    boxes.push_back({right - left + 1, bottom - top + 1});
  }
  return boxes;
}

enum class Lit { Nothing, Whole, CutBySide, CutByTopOrBottom };

// The bounding box of every lit pixel, and whether the screen's edge cuts it.
Lit LitBox(const Shot& shot, Box& box) {
  int left = shot.width, right = -1, top = shot.height, bottom = -1;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (shot.At(x, y) != 0) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0)
    return Lit::Nothing;
  if (left == 0 || right == shot.width - 1)
    return Lit::CutBySide;
  if (top == 0 || bottom == shot.height - 1)
    return Lit::CutByTopOrBottom;
  box = {right - left + 1, bottom - top + 1};
  return Lit::Whole;
}

}  // namespace

TEST(SaverScaleE2e, OneCharacterMeasuresItsSizeTimesTheScreensScale) {
  ClearSettings();
  StoreSetting("music mode", "0");
  StoreSetting("saver type", "2");
  StoreSetting("type of cara", std::to_string(kKind));
  StoreSetting("number of cara", "1");
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const int dpi = ScreenDpi();
  const int n = std::max(1, (dpi + 48) / 96);
  const std::vector<Box> cells = InkedCells();
  // A capture taken while the window is being drawn may show two steps at
  // once: it needs a box that is some cell of the sheet, enlarged. A lane
  // that the top or bottom edge cuts never shows the character whole: a new
  // run draws a new lane.
  Box seen;
  int whole = 0;
  bool matches = false;
  std::unique_ptr<Program> program;
  for (int run = 0; run < 4 && !matches; ++run) {
    program.reset();
    Pump(300);
    program = std::make_unique<Program>(L"/s");
    ASSERT_NE(WaitForWindow("SAVER Screen"), nullptr);
    Pump(500);
    for (int k = 0; k < 300 && !matches; ++k) {
      Shot shot = CaptureScreen(0, 0, width, height);
      const Lit lit = LitBox(shot, seen);
      if (lit == Lit::CutByTopOrBottom)
        break;
      if (lit == Lit::Whole) {
        ++whole;
        for (const Box& cell : cells)
          matches |= seen.width == cell.width * n && seen.height == cell.height * n;
        if (matches)
          SaveShot(shot, "saver-one-character-" + std::to_string(dpi) + "dpi");
      }
      if (!matches)
        Pump(200);
    }
  }
  std::printf("scale %d at %d dpi: the character measures %d x %d pixels (%d whole captures)\n", n,
              dpi, seen.width, seen.height, whole);
  ASSERT_GT(whole, 0) << "the character lay whole on the screen at some time";
  EXPECT_TRUE(matches) << seen.width << " x " << seen.height << " is no cell of the sheet times "
                       << n << " (first cell " << cells[0].width << " x " << cells[0].height << ")";
  EXPECT_TRUE(program->Running());
  ClearSettings();
}
