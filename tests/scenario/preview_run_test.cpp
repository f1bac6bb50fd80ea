// The preview run: the picture, unscaled at the pane's top left on black.
#include <gtest/gtest.h>

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
  EXPECT_EQ(preview.width, 2280);
  EXPECT_EQ(preview.height, 1680);
  EXPECT_EQ(preview.picture, assets::PreviewPicture());
  EXPECT_EQ(preview.picture.Width(), 175);
  EXPECT_EQ(preview.picture.Height(), 140);
  const std::vector<std::string> calls{"AddChildStyle", "SetParent", "SetBoundsTwips", "SetPicture",
                                       "Show"};
  EXPECT_EQ(preview.calls, calls);
  EXPECT_TRUE(hp.savers.created.empty());
  EXPECT_TRUE(hp.sound.commands.empty()) << "no music in the preview";
}
