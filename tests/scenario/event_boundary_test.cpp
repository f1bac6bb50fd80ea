// The one boundary where events enter the core: whatever escapes a handler
// or the start-up, the same report and the same end; one box at a time.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/event_boundary.hpp"
#include "app/main_entry.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;

namespace {

// A saver factory that cannot have the memory for its window.
struct NoMemorySavers : platform::SaverWindowFactory {
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view,
                                                           platform::SaverEvents&) override {
    throw std::bad_alloc();
  }
};

TEST(EventBoundaryTest, AStartUpThatRunsOutOfMemoryEndsWithTheReportNotATerminate) {
  headless::HeadlessPlatform hp;
  NoMemorySavers savers;
  platform::Platform platform = hp.platform;
  platform::Platform withoutMemory{platform.process, platform.screen, platform.store,
                                   platform.random,  platform.sound,  platform.previews,
                                   savers,           platform.forms,  platform.messageBoxes};
  app::Program program(withoutMemory);
  hp.process.commandLine = "/s";
  EXPECT_EQ(app::RunMain(program), 1);
  EXPECT_EQ(hp.process.exitCode, 1);
  ASSERT_EQ(hp.process.reports.size(), 1u);
  EXPECT_EQ(hp.process.reports[0].text,
            "実行時エラー '7':\r\n\r\nメモリが不足しています。\r\n\r\n(quimbel)");
  EXPECT_EQ(hp.process.reports[0].caption, "quimbel");
}

TEST(EventBoundaryTest, AnyExceptionFromAHandlerEndsWithTheReportAndNothingActsAfter) {
  headless::HeadlessPlatform hp;
  app::Program program(hp.platform);
  int calls = 0;
  platform::Handler failing = app::Guarded(program, [&calls] {
    ++calls;
    throw std::runtime_error("disk on fire");
  });
  platform::Handler other = app::Guarded(program, [&calls] { ++calls; });
  failing();  // the boundary never lets it through to the port
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(hp.process.reports.size(), 1u);
  EXPECT_EQ(hp.process.reports[0].text,
            "実行時エラー '51':\r\n\r\n内部エラーです。 (disk on fire)\r\n\r\n(quimbel)");
  EXPECT_EQ(hp.process.exitCode, 1);
  failing();
  other();
  app::RequestEnd(program);
  EXPECT_EQ(calls, 1) << "nothing acts after the end";
  EXPECT_EQ(hp.process.reports.size(), 1u);
  EXPECT_EQ(program.exitCode, 1) << "a later end does not change the code";
}

// While the tick's error box is open, its nested loop keeps delivering the
// saver's events: the animation waits, the tune goes on, and the platform's
// request to end still stops the music and ends the run.
TEST(EventBoundaryTest, UnderAnOpenBoxTheTickWaitsTheMusicPlaysAndTheEndStopsIt) {
  fixtures::SaverRun run(320, 240, 2, 0, 2, /*musicMode=*/2);
  run.Start();
  run.Slot(1).Heading = 2;
  run.Slot(1).PosX = 32760;  // its next step overflows
  headless::HeadlessSound& sound = run.hp.sound;
  run.hp.messageBoxes.whileOpen = [&] {
    const long frames = run.Window().presentCount;
    const std::size_t sent = sound.commands.size();
    run.Ticks(2);
    EXPECT_EQ(run.Window().presentCount, frames);
    sound.EndTune("bgm");
    run.Window().FireTimer2();
    EXPECT_EQ(std::vector<std::string>(sound.commands.begin() + static_cast<std::ptrdiff_t>(sent),
                                       sound.commands.end()),
              (std::vector<std::string>{"status bgm mode", "seek bgm to start", "play bgm notify",
                                        "status bgm length"}));
    app::RequestEnd(run.program);
  };
  run.Ticks(1);
  EXPECT_EQ(run.hp.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(run.hp.process.exitCode, 0);
  EXPECT_TRUE(run.hp.process.reports.empty());
  ASSERT_GE(sound.commands.size(), 2u);
  EXPECT_EQ(sound.commands.back(), "close bgm");
  EXPECT_TRUE(sound.devices.empty());
}

}  // namespace

namespace {

// A platform that cannot poll the pointer: its motion over the saver window
// ends the run instead, under the same one-pixel rule; entering is no motion.
TEST(PointerCapabilityTest, WithoutPollingTheFirstMoveOfAPixelOverTheWindowEndsTheRun) {
  fixtures::SaverRun run(320, 240, 3, 0, 2, /*musicMode=*/2);
  run.hp.screen.pointerPollable = false;
  run.Start();
  run.Ticks(5);
  EXPECT_FALSE(run.hp.process.Ended()) << "the failing queries alone end nothing";
  run.Window().MovePointer(-200, 700);  // the pointer as the window appears under it
  run.Window().MovePointer(-200, 700);
  run.Ticks(2);
  EXPECT_FALSE(run.hp.process.Ended());
  run.Window().MovePointer(-200, 701);
  ASSERT_TRUE(run.hp.process.Ended());
  EXPECT_EQ(run.hp.process.exitCode, 0);
  EXPECT_TRUE(run.Window().defaultPointer);
  EXPECT_EQ(run.hp.sound.commands.back(), "close bgm") << "the music stopped first";
}

TEST(PointerCapabilityTest, WherePollingWorksTheTickDecidesAndMotionReportsChangeNothing) {
  fixtures::SaverRun run(320, 240, 3, 0, 2);
  run.hp.screen.cursor = {50, 60};
  run.Start();
  run.Window().MovePointer(50, 60);
  run.Window().MovePointer(90, 99);
  EXPECT_FALSE(run.hp.process.Ended());
  run.Ticks(1);
  EXPECT_FALSE(run.hp.process.Ended()) << "the polled pointer has not moved";
  run.hp.screen.cursor = {51, 60};
  run.Ticks(1);
  EXPECT_TRUE(run.hp.process.Ended());
}

}  // namespace
