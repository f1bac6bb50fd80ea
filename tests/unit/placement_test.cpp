// The placement helpers: font scaling and the exact client area of a centred
// window. Where each control ends up is checked on the settings dialog.
#include <gtest/gtest.h>

#include <string>

#include "base/runtime_error.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ui/placement.hpp"

using namespace quimbel;

namespace {

TEST(PlacementTest, FontSizesScaleDownOnDenserScreens) {
  headless::HeadlessScreen screen;
  for (int n : {9, 10, 11, 12, 14, 16})
    EXPECT_EQ(ui::ScaledFontSize(screen, n), static_cast<float>(n)) << n;
  screen.scale = 1.25;  // 120 dpi: 12 twips per pixel
  const std::pair<int, float> expected[] = {{16, 12}, {14, 11}, {12, 9}, {11, 8}, {10, 8}, {9, 7}};
  for (auto [n, points] : expected)
    EXPECT_EQ(ui::ScaledFontSize(screen, n), points) << n;
}

// A menu bar wraps where the client area is too narrow for its entries, so
// the frame's height follows the width: the height is measured only once the
// width is final, and the window centred only once both are. Five entries take
// two rows on a new form, one at 540 pixels across and three at 200.
class FitTest : public ::testing::TestWithParam<double> {};

TEST_P(FitTest, ClientAreaIsExactAndTheWindowCentred) {
  headless::HeadlessPlatform hp;
  hp.screen.SetMetrics(1024, 768, GetParam());
  for (int menus : {0, 5}) {
    for (int width : {540, 200}) {
      SCOPED_TRACE(std::to_string(menus) + " menus, " + std::to_string(width) + " across");
      auto form = hp.forms.CreateForm("w");
      for (int i = 0; i < menus; ++i)
        form->AddMenuCommand("x", [] {});
      headless::FormRecord& r = *hp.forms.created.back();
      ASSERT_EQ(r.MenuRows(), menus == 0 ? 0 : 2);
      ui::FitClientAndCentre(hp.screen, *form, width, 330);
      EXPECT_EQ(form->ClientWidthPx(), width);
      EXPECT_EQ(form->ClientHeightPx(), 330);
      // Half a pixel left over goes to the left and top margins.
      EXPECT_EQ(r.leftPx, (1024 - form->OuterWidthPx() + 1) / 2);
      EXPECT_EQ(r.topPx, (768 - form->OuterHeightPx() + 1) / 2);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, FitTest, ::testing::Values(96.0, 120.0, 144.0));

TEST(PlacementTest, CentringRoundsAHalfPixelOfTwipsUp) {
  for (double dpi : {96.0, 120.0}) {
    headless::HeadlessPlatform hp;
    hp.screen.SetMetrics(1024, 768, dpi);
    auto form = hp.forms.CreateForm("w");
    ui::FitClientAndCentre(hp.screen, *form, 501, 394);
    headless::FormRecord& r = *hp.forms.created.back();
    // The headless frame adds 8 pixels across and 31 down: 515 and 343 pixels
    // of room are left, odd numbers, so each side gets a half pixel's twips,
    // which round up.
    EXPECT_EQ(r.leftPx, 258) << dpi;
    EXPECT_EQ(r.topPx, 172) << dpi;
  }
}

TEST(PlacementTest, TheTwipsProductIsSixteenBit) {
  headless::HeadlessPlatform hp;
  auto form = hp.forms.CreateForm("w");
  // 2184 × 15 = 32760 still fits; 2185 × 15 = 32775 does not.
  EXPECT_NO_THROW(ui::FitClientAndCentre(hp.screen, *form, 2184, 100));
  try {
    ui::FitClientAndCentre(hp.screen, *form, 2185, 100);
    FAIL() << "no overflow";
  } catch (const base::RuntimeError& e) {
    EXPECT_EQ(e.Number(), base::kOverflow);
  }
}

}  // namespace
