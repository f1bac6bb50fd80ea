// Several monitors through the headless port: one saver scene over the whole
// desktop wherever its corner lies, the windows of a configure run centred on
// the primary monitor, and a desktop beyond the 16-bit range covered as far as
// it goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/saver_area.hpp"
#include "engine/cast.hpp"
#include "scenario/ui_fixture.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;
using platform::Rect32;
using quimbel::fixtures::SaverRun;

namespace {

struct Layout {
  std::string name;
  std::vector<Rect32> monitors;  // primary first
  Rect32 desktop;                // what the saver must cover
};

std::ostream& operator<<(std::ostream& out, const Layout& layout) {
  return out << layout.name;
}

const std::vector<Layout>& Layouts() {
  static const std::vector<Layout> layouts{
      // A larger monitor left of the primary and higher up: both corners negative.
      {"LeftAndAbove", {{0, 0, 1024, 768}, {-1280, -256, 0, 768}}, {-1280, -256, 1024, 768}},
      // A portrait monitor right of the primary, reaching above and below it.
      {"Portrait", {{0, 0, 1600, 900}, {1600, -200, 2200, 860}}, {0, -200, 2200, 900}},
      // The X11 way: the primary on the right, the desktop's corner at (0, 0).
      {"PrimaryRight", {{1280, 0, 2560, 1024}, {0, 0, 1280, 1024}}, {0, 0, 2560, 1024}},
  };
  return layouts;
}

// A desktop picture whose every pixel tells where it lies.
base::Surface Landmarks(const Rect32& desktop) {
  base::Surface picture(desktop.right - desktop.left, desktop.bottom - desktop.top);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x)
      picture.At(x, y) = static_cast<base::Pixel>((x * 7919 + y * 104729) & 0xFFFFFF);
  }
  return picture;
}

class MonitorLayoutTest : public ::testing::TestWithParam<Layout> {};

TEST_P(MonitorLayoutTest, OneSceneCoversTheWholeDesktop) {
  const Layout& layout = GetParam();
  const Rect32& d = layout.desktop;
  const int width = d.right - d.left;
  const int height = d.bottom - d.top;
  SaverRun run(100, 100, 12, 8, 3);
  run.hp.screen.scale = 1.25;
  run.hp.screen.monitors = layout.monitors;
  run.hp.screen.desktop = Landmarks(d);
  // The pointer rests on the monitor that lies farthest from (0, 0).
  const Rect32& far = layout.monitors.back();
  run.hp.screen.cursor = {far.left + 5, far.top + 7};
  run.Start();
  ASSERT_TRUE(run.hp.process.reports.empty());

  EXPECT_EQ(run.program.run.OriginX, d.left);
  EXPECT_EQ(run.program.run.OriginY, d.top);
  EXPECT_EQ(run.program.run.ScreenWidthPx, width);
  EXPECT_EQ(run.program.run.ScreenHeightPx, height);
  headless::SaverRecord& w = run.Window();
  EXPECT_EQ(w.left, d.left);
  EXPECT_EQ(w.top, d.top);
  EXPECT_EQ(w.width, width);
  EXPECT_EQ(w.height, height);

  // The snapshot is the desktop from its corner on, every monitor of it,
  // held exactly there and let go of after the first frame.
  ASSERT_EQ(run.hp.screen.holds.size(), 1u);
  const Rect32& held = run.hp.screen.holds[0];
  EXPECT_TRUE(held.left == d.left && held.top == d.top && held.right == d.right &&
              held.bottom == d.bottom);
  EXPECT_EQ(run.hp.screen.releases, 1);
  EXPECT_FALSE(run.hp.screen.held.Held());
  const base::Surface& bkg = run.program.saver.scr_bkg;
  ASSERT_EQ(bkg.Width(), width);
  ASSERT_EQ(bkg.Height(), height);
  EXPECT_TRUE(bkg == run.hp.screen.desktop) << "the snapshot is the desktop, pixel for pixel";

  // Lanes over the full height, entries and exits at the desktop's edges.
  int lowestTop = height, highestTop = -1000;
  int walked = 0;
  for (int tick = 0; tick < 400; ++tick) {
    for (int i = 0; i < 12; ++i) {
      const engine::CaraState& c = run.Slot(i);
      lowestTop = std::min<int>(lowestTop, c.PosY);
      highestTop = std::max<int>(highestTop, c.PosY);
      ASSERT_GE(c.PosX, -479) << "entries start at most 500 pixels beyond an edge";
      ASSERT_LE(c.PosX, width + 399);
      if (c.Phase == 0) {
        ++walked;
        EXPECT_TRUE(c.PosX <= -40 || c.PosX >= width + 40) << "freed past the far edge";
      }
    }
    run.Ticks(1);
    ASSERT_FALSE(run.hp.process.Ended());
  }
  EXPECT_GT(walked, 0) << "some characters crossed the whole desktop";
  EXPECT_LT(lowestTop, height / 12 - 50 + 1);
  EXPECT_GE(lowestTop, -50);
  EXPECT_GT(highestTop, height - height / 12 - 50 - 1);
  EXPECT_LE(highestTop, height - 50);

  // The pointer's start was taken in screen coordinates, negative ones
  // included: one pixel on ends the run.
  run.hp.screen.cursor.x += 1;
  run.Ticks(1);
  EXPECT_TRUE(run.hp.process.Ended());
  EXPECT_TRUE(run.hp.process.reports.empty());
}

TEST_P(MonitorLayoutTest, DialogsOpenCentredOnThePrimary) {
  const Layout& layout = GetParam();
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};
  hp.screen.scale = 1.25;
  hp.screen.monitors = layout.monitors;
  hp.process.commandLine = "/c";
  app::RunMain(program);
  headless::FormRecord* set = hp.forms.Open("frmSet");
  ASSERT_NE(set, nullptr);
  set->Control("CommandButton(1)").Click();
  set->ChooseMenu("ﾍﾙﾌﾟ(&H&ｸ)", "ｿﾌﾄ紹介(&E&ｲ)");
  const Rect32& p = layout.monitors.front();
  for (const char* name : {"frmSet", "frmHelp", "salesf"}) {
    headless::FormRecord* form = hp.forms.Open(name);
    ASSERT_NE(form, nullptr) << name;
    const double outerWidth = form->clientWidthPx + form->FrameWidthPx();
    const double outerHeight = form->clientHeightPx + form->FrameHeightPx();
    const double centreX = form->leftPx + outerWidth / 2;
    const double centreY = form->topPx + outerHeight / 2;
    // Whole pixels: an odd margin leaves the window half a pixel off.
    EXPECT_NEAR(centreX, (p.left + p.right) / 2.0, 0.5) << name;
    EXPECT_NEAR(centreY, (p.top + p.bottom) / 2.0, 0.5) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Monitors, MonitorLayoutTest, ::testing::ValuesIn(Layouts()),
                         [](const auto& info) { return info.param.name; });

TEST(HugeDesktopTest, WhatFitsSixteenBitsIsCoveredAndTheRunGoesOn) {
  // 70000 pixels across, the pointer on a part that 16 bits cannot address.
  SaverRun run(100, 100, 20, 8, 2);
  run.hp.screen.monitors = {{0, 0, 20000, 60}, {-25000, 0, 0, 60}, {20000, 0, 45000, 60}};
  run.hp.screen.cursor = {40000, 30};
  run.Start();
  ASSERT_TRUE(run.hp.process.reports.empty());
  EXPECT_EQ(run.program.run.OriginX, 0) << "kept from the primary's left edge on";
  EXPECT_EQ(run.program.run.ScreenWidthPx, engine::WidestDrawingArea());
  run.Ticks(300);
  EXPECT_FALSE(run.hp.process.Ended()) << "a pointer at rest beyond 16 bits is no movement";
  EXPECT_TRUE(run.hp.process.reports.empty()) << "no tick overflowed";
  run.hp.screen.cursor.y -= 1;
  run.Ticks(1);
  EXPECT_TRUE(run.hp.process.Ended());
}

TEST(HugeDesktopTest, CornersBeyondSixteenBitsAreCutKeepingThePrimary) {
  const Rect32 primary{0, 0, 1024, 768};
  for (const Rect32& desktop : std::vector<Rect32>{
           {-40000, -40000, 1024, 768}, {-1024, 0, 50000, 40000}, {-70000, -100, 70000, 868}}) {
    app::SaverArea a = app::FitSaverArea(desktop, primary);
    const long right = static_cast<long>(a.left) + a.width;
    const long bottom = static_cast<long>(a.top) + a.height;
    EXPECT_GE(a.left, std::max(desktop.left, -32768));
    EXPECT_GE(a.top, std::max(desktop.top, -32768));
    EXPECT_LE(right, std::min(desktop.right, 32767));
    EXPECT_LE(bottom, std::min(desktop.bottom, 32767));
    EXPECT_LE(a.width, engine::WidestDrawingArea());
    EXPECT_LE(a.height, 32767);
    EXPECT_TRUE(a.left <= primary.left && right >= primary.right) << "the primary is covered";
    EXPECT_TRUE(a.top <= primary.top && bottom >= primary.bottom);
    // Nothing is given up that would have fitted.
    const long fitWidth = std::min(desktop.right, 32767) - std::max(desktop.left, -32768);
    const long fitHeight = std::min(desktop.bottom, 32767) - std::max(desktop.top, -32768);
    EXPECT_EQ(a.width, std::min<long>(fitWidth, engine::WidestDrawingArea()));
    EXPECT_EQ(a.height, std::min<long>(fitHeight, 32767));
  }
}

}  // namespace
