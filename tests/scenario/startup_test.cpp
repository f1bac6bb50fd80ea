// Start-up through the headless port: the single-instance test, the program
// directory, the settings, and what each run is handed.
#include <gtest/gtest.h>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "app/settings.hpp"
#include "ports/headless/headless_platform.hpp"

using namespace quimbel;

namespace {

class StartupTest : public ::testing::Test {
 protected:
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};

  void Run(const std::string& line) {
    hp.process.commandLine = line;
    app::RunMain(program);
  }
};

// A second platform and program for tests that compare several starts.
struct Start {
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};
  explicit Start(const std::string& line) { hp.process.commandLine = line; }
  void Run() { app::RunMain(program); }
};

TEST_F(StartupTest, AnOpenSaverOrDialogEndsEveryStartAtOnce) {
  for (const char* title : {"SAVER Screen", "Saver Setting"}) {
    for (const char* line : {"/s", "/c", "/p 1234", ""}) {
      Start s(line);
      s.hp.process.openTitles.insert(title);
      s.hp.store.Set("number of cara", "5");
      s.hp.screen.windows[1234] = {0, 0, 152, 112};
      s.Run();
      EXPECT_TRUE(s.hp.process.Ended()) << title << " / " << line;
      EXPECT_EQ(s.hp.process.exitCode, 0);
      EXPECT_EQ(s.program.settings.CaraCount, 0) << "no settings are read";
      EXPECT_TRUE(s.program.run.AppPath.empty());
      EXPECT_TRUE(s.hp.previews.created.empty());
      std::vector<std::string> both{"SAVER Screen", "Saver Setting"};
      EXPECT_EQ(s.hp.process.lookups, both) << "both look-ups are always made";
    }
  }
}

TEST_F(StartupTest, AnotherPreviewDoesNotBlockAStart) {
  hp.process.openTitles.insert("preview window");
  hp.screen.windows[77] = {0, 0, 152, 112};
  Run("/p 77");
  EXPECT_FALSE(hp.process.Ended());
  EXPECT_EQ(hp.previews.created.size(), 1u);
}

TEST_F(StartupTest, AppPathEndsInOneSeparator) {
  hp.process.executableDirectory = "C:\\Program Files\\quimbel";
  Run("/x");
  EXPECT_EQ(program.run.AppPath, "C:\\Program Files\\quimbel\\");

  Start root("/x");
  root.hp.process.executableDirectory = "C:\\";
  root.Run();
  EXPECT_EQ(root.program.run.AppPath, "C:\\");

  Start unix("/x");
  unix.hp.process.executableDirectory = "/usr/libexec/xscreensaver";
  unix.hp.process.separator = '/';
  unix.Run();
  EXPECT_EQ(unix.program.run.AppPath, "/usr/libexec/xscreensaver/");
}

TEST_F(StartupTest, SettingsAreReadEvenForAnUnknownSwitch) {
  hp.store.Set("number of cara", "5");
  hp.store.Set("music mode", "0");
  Run("-s");
  EXPECT_TRUE(hp.process.Ended());
  EXPECT_EQ(hp.process.exitCode, 0);
  EXPECT_EQ(program.settings.CaraCount, 5);
  EXPECT_EQ(program.settings.CaraType, 8);
  EXPECT_EQ(program.settings.SaverType, 2);
  EXPECT_EQ(program.settings.MusicMode, 0);
  EXPECT_EQ(program.run.Mode, app::RunMode::None);
}

TEST_F(StartupTest, SaverRunGetsTheScreenInPixels) {
  hp.screen.SetMetrics(1024, 768, 96);
  Run("/s");
  EXPECT_EQ(program.run.Mode, app::RunMode::Saver);
  EXPECT_EQ(program.run.IsSaverMode, -1);
  EXPECT_EQ(program.run.ScreenWidthPx, 1024);
  EXPECT_EQ(program.run.ScreenHeightPx, 768);
  EXPECT_EQ(program.run.OriginX, 0);
  EXPECT_EQ(program.run.OriginY, 0);
  EXPECT_EQ(program.run.RandomCaraType, 0) << "drawn only for CaraType 7";

  Start big("/S:1");
  big.hp.screen.SetMetrics(1280, 1024, 120);
  big.Run();
  EXPECT_EQ(big.program.run.ScreenWidthPx, 1280);
  EXPECT_EQ(big.program.run.ScreenHeightPx, 1024);
}

TEST_F(StartupTest, RandomCastMemberIsDrawnOnceForTypeSeven) {
  for (double r : {0.0, 0.5, 0.999999}) {
    Start s("/s");
    s.hp.store.Set("type of cara", "7");
    s.hp.random.script = {r};
    s.Run();
    EXPECT_EQ(s.program.run.RandomCaraType, static_cast<int>(r * 7)) << r;
    EXPECT_GE(s.hp.random.reseeds, 1) << "seeded from the clock before the draw";
  }
}

// In twips on the way, in the same pixels at the window.
TEST_F(StartupTest, PreviewGetsThePaneInTwips) {
  hp.screen.windows[1234] = {300, 200, 452, 312};  // 152 x 112 pixels
  Run("/p 1234");
  EXPECT_EQ(program.run.Mode, app::RunMode::Preview);
  EXPECT_EQ(program.run.IsSaverMode, 0);
  EXPECT_EQ(program.run.HostHandle, 1234);
  EXPECT_EQ(program.run.ScreenWidthPx, 2280);
  EXPECT_EQ(program.run.ScreenHeightPx, 1680);
  ASSERT_EQ(hp.previews.created.size(), 1u);
  const headless::PreviewRecord& preview = *hp.previews.created[0];
  EXPECT_TRUE(preview.childStyle);
  EXPECT_EQ(preview.parent, 1234);
  EXPECT_EQ(preview.left, 0);
  EXPECT_EQ(preview.top, 0);
  EXPECT_EQ(preview.width, 152);
  EXPECT_EQ(preview.height, 112);
  EXPECT_TRUE(preview.visible);
  EXPECT_FALSE(hp.process.Ended());

  Start dense("/p 1234");
  dense.hp.screen.SetMetrics(1024, 768, 120);
  dense.hp.screen.windows[1234] = {300, 200, 452, 312};
  dense.Run();
  EXPECT_EQ(dense.program.run.ScreenWidthPx, 1824);
  ASSERT_EQ(dense.hp.previews.created.size(), 1u);
  EXPECT_EQ(dense.hp.previews.created[0]->width, 152);
  EXPECT_EQ(dense.hp.previews.created[0]->height, 112);
}

TEST_F(StartupTest, PreviewOfAHandleThatNamesNoWindowEndsAtOnce) {
  Run("/p 999");
  EXPECT_TRUE(hp.process.Ended());
  EXPECT_EQ(hp.process.exitCode, 0);
  EXPECT_TRUE(hp.previews.created.empty());
  EXPECT_TRUE(hp.process.reports.empty());
}

TEST_F(StartupTest, TooLargeAPaneIsAnUntrappedOverflow) {
  hp.screen.windows[5] = {0, 0, 2185, 100};  // 32775 twips
  Run("/p 5");
  ASSERT_EQ(hp.process.reports.size(), 1u);
  EXPECT_EQ(hp.process.reports[0].text.substr(0, 22), "実行時エラー '6'");
  EXPECT_EQ(hp.process.exitCode, 1);
  EXPECT_TRUE(hp.previews.created.empty());
}

TEST_F(StartupTest, HandleOverflowIsReportedWhateverTheSwitch) {
  Run("/c 4294967296");
  ASSERT_EQ(hp.process.reports.size(), 1u);
  EXPECT_EQ(hp.process.reports[0].text.substr(0, 22), "実行時エラー '6'");
  EXPECT_EQ(hp.process.exitCode, 1);
}

TEST_F(StartupTest, ConfigureProcessesPendingMessagesOnce) {
  Run("/c:1234");
  EXPECT_EQ(program.run.Mode, app::RunMode::Configure);
  EXPECT_EQ(program.run.IsSaverMode, 0);
  EXPECT_EQ(hp.process.pendingMessagePasses, 1);
  EXPECT_TRUE(hp.process.reports.empty());
}

}  // namespace
