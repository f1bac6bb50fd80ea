// The preview run: the picture, unscaled at the pane's top left on black.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_entry.hpp"
#include "assets/pictures.hpp"
#include "ports/headless/headless_platform.hpp"

using namespace quimbel;

TEST(PreviewRunTest, PaneShowsThePictureUnscaledAtItsTopLeft) {
  headless::HeadlessPlatform hp;
  app::Program program(hp.platform);
  hp.screen.windows[4321] = {10, 20, 162, 132};  // 152 x 112 pixels
  hp.process.commandLine = "/p 4321";
  app::RunMain(program);
  ASSERT_EQ(hp.previews.created.size(), 1u);
  const headless::PreviewRecord& preview = *hp.previews.created[0];
  EXPECT_EQ(preview.left, 0);
  EXPECT_EQ(preview.top, 0);
  EXPECT_EQ(preview.width, 152);
  EXPECT_EQ(preview.height, 112);
  EXPECT_EQ(preview.picture, assets::PreviewPicture());
  EXPECT_EQ(preview.picture.Width(), 175);
  EXPECT_EQ(preview.picture.Height(), 140);
  // The window never shows on the desktop nor anywhere but in the pane: the
  // child style goes before the new parent (reparenting keeps the style it finds),
  // the bounds are the parent's client coordinates, and it is shown once, last.
  const auto& calls = preview.calls;
  auto at = [&calls](const char* call) {
    return std::find(calls.begin(), calls.end(), call) - calls.begin();
  };
  EXPECT_TRUE(preview.childStyle);
  EXPECT_EQ(preview.parent, 4321);
  EXPECT_LT(at("AddChildStyle"), at("SetParent"));
  EXPECT_LT(at("SetParent"), at("SetBoundsPx"));
  ASSERT_EQ(std::count(calls.begin(), calls.end(), "Show"), 1);
  EXPECT_EQ(calls.back(), "Show") << "placed and painted before it is seen";
  EXPECT_TRUE(hp.savers.created.empty());
  EXPECT_TRUE(hp.sound.commands.empty()) << "no music in the preview";
}
