// The placement helpers: font scaling, the order properties are set in, and
// the exact client area of a centred window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/runtime_error.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ui/placement.hpp"

using namespace quimbel;

namespace {

// Records the property calls in order, for any helper target.
struct Recorder {
  std::vector<std::string> calls;
  void SetWidth(int v) { calls.push_back("W" + std::to_string(v)); }
  void SetHeight(int v) { calls.push_back("H" + std::to_string(v)); }
  void SetLeft(int v) { calls.push_back("L" + std::to_string(v)); }
  void SetTop(int v) { calls.push_back("T" + std::to_string(v)); }
  void SetFontSize(double v) { calls.push_back("F" + std::to_string(static_cast<int>(v * 10))); }
};

TEST(PlacementTest, FontSizesScaleDownOnDenserScreens) {
  headless::HeadlessScreen screen;
  for (int n : {9, 10, 11, 12, 14, 16})
    EXPECT_EQ(ui::ScaledFontSize(screen, n), static_cast<float>(n)) << n;
  screen.twipsPerPixelX = 12;
  screen.twipsPerPixelY = 99;  // only the horizontal factor counts
  const std::pair<int, float> expected[] = {{16, 12}, {14, 11}, {12, 9}, {11, 8}, {10, 8}, {9, 7}};
  for (auto [n, points] : expected)
    EXPECT_EQ(ui::ScaledFontSize(screen, n), points) << n;
}

TEST(PlacementTest, FontComesBeforeGeometryInTheGivenOrder) {
  headless::HeadlessScreen screen;
  screen.twipsPerPixelX = 12;
  Recorder control, combo, bounds;
  ui::PlaceControl(screen, control, 11, 130, 33, 10, 20);
  ui::PlaceCombo(screen, combo, 14, 90, 144, 100);
  ui::SetBounds(bounds, 80, 80, -50, 240);
  EXPECT_EQ(control.calls, (std::vector<std::string>{"F80", "W130", "H33", "L10", "T20"}));
  EXPECT_EQ(combo.calls, (std::vector<std::string>{"F110", "W90", "L144", "T100"}));
  EXPECT_EQ(bounds.calls, (std::vector<std::string>{"W80", "H80", "L-50", "T240"}));
}

class FitTest : public ::testing::TestWithParam<double> {};

TEST_P(FitTest, ClientAreaIsExactAndTheWindowCentred) {
  headless::HeadlessPlatform hp;
  hp.screen.SetMetrics(1024, 768, GetParam());
  for (bool withMenu : {false, true}) {
    auto form = hp.forms.CreateForm("w");
    if (withMenu)
      form->AddMenuCommand("x", [] {});
    ui::FitClientAndCentre(hp.screen, *form, 540, 330);
    headless::FormRecord& r = *hp.forms.created.back();
    EXPECT_EQ(form->ClientWidthPx(), 540);
    EXPECT_EQ(form->ClientHeightPx(), 330);
    const double tpp = GetParam();
    EXPECT_DOUBLE_EQ(r.leftTwips, (1024 * tpp - form->OuterWidthTwips()) / 2);
    EXPECT_DOUBLE_EQ(r.topTwips, (768 * tpp - form->OuterHeightTwips()) / 2);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"OuterWidth", "OuterHeight", "Left", "Top"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, FitTest, ::testing::Values(15.0, 12.0));

TEST(PlacementTest, CentringKeepsHalfTwips) {
  headless::HeadlessPlatform hp;
  hp.screen.SetMetrics(1024, 768, 15);
  auto form = hp.forms.CreateForm("w");
  ui::FitClientAndCentre(hp.screen, *form, 501, 394);
  headless::FormRecord& r = *hp.forms.created.back();
  // The headless frame adds 8 pixels across and 31 down: 515 and 343 pixels
  // of room are left, odd numbers, so each side gets a half pixel's twips.
  EXPECT_DOUBLE_EQ(r.leftTwips, 515 * 15 / 2.0);
  EXPECT_DOUBLE_EQ(r.topTwips, 343 * 15 / 2.0);
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
