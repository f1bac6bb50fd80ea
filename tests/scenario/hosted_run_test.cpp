// Runs as a screen-saver daemon's hack: the port only names the daemon's
// window; the core decides the rest. No single-instance test, no end by the
// pointer or caret, and the tune only over a screen, one hack per display.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/event_boundary.hpp"
#include "app/hosted_run.hpp"
#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"
#include "support/test_sheets.hpp"
#include "ui/window_titles.hpp"

using namespace quimbel;

namespace {

using Lines = std::vector<std::string>;

const std::vector<platform::Rect32> kTwoMonitors{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};

// One hack as the daemon starts it, the tune set to MIDI.
struct Hack {
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};

  Hack(platform::HostWindow host, platform::Rect32 rect, headless::DisplayTuneLock* display) {
    hp.screen.SetMetrics(1024, 768, 15);
    hp.screen.windows[host.window] = rect;
    hp.store.Set("music mode", "2");
    hp.process.commandLine = "--root";
    hp.process.executableDirectory = "/opt/quimbel";
    hp.process.separator = '/';
    hp.hosting.hostedIn = host;
    hp.hosting.display = display;
    for (int k = 0; k < 7; ++k)
      program.saver.pat[k] = &fixtures::TestSheets()[k];
  }
  // The daemon's own saver window over the first monitor.
  static std::unique_ptr<Hack> OnMonitor(platform::WindowHandle window,
                                         headless::DisplayTuneLock* display = nullptr) {
    auto hack = std::make_unique<Hack>(platform::HostWindow{window, true, kTwoMonitors},
                                       platform::Rect32{0, 0, 1024, 768}, display);
    if (display == nullptr)
      hack->hp.hosting.display = &hack->ownDisplay;
    app::RunMain(hack->program);
    return hack;
  }

  headless::SaverRecord& Window() { return hp.savers.Last(); }
  // Ten polls of the tune and one frame, as 100 ms of timers give them.
  void Run(int frames) {
    for (int f = 0; f < frames; ++f) {
      for (int p = 0; p < 10; ++p)
        Window().FireTimer2();
      Window().FireTimer1();
    }
  }
  Lines Sounds() const { return hp.sound.commands; }

  headless::DisplayTuneLock ownDisplay;
};

const Lines kStart{"open \"/opt/quimbel/quimbel.mid\" alias bgm", "play bgm notify"};

TEST(HostedRunTest, TheDaemonAloneDecidesWhenAHackRunsAndEnds) {
  headless::DisplayTuneLock display;
  Hack hack({0x1c00007, true, kTwoMonitors}, {0, 0, 1024, 768}, &display);
  // Another saver and the settings dialog are open: a hack runs anyway.
  hack.hp.process.openTitles = {ui::kSaverWindowTitle, ui::kSettingsWindowTitle};
  hack.hp.screen.cursor = {10, 10};
  app::RunMain(hack.program);
  ASSERT_FALSE(hack.hp.process.Ended());
  EXPECT_TRUE(hack.hp.process.lookups.empty()) << "no window is looked for";
  EXPECT_EQ(hack.program.run.Mode, app::RunMode::Hosted);
  EXPECT_EQ(hack.program.run.HostHandle, 0x1c00007);
  EXPECT_EQ(hack.Sounds(), kStart);

  // The user moves, types and the pointer is reported over the window: the
  // daemon watches that, not the hack.
  hack.hp.screen.cursor = {400, 300};
  hack.hp.screen.caret = {7, 7};
  hack.Run(3);
  hack.hp.screen.pointerPollable = false;
  hack.Window().MovePointer(5, 5);
  hack.Window().MovePointer(600, 400);
  hack.Run(1);
  EXPECT_FALSE(hack.hp.process.Ended());
  EXPECT_EQ(hack.Window().presentCount, 5) << "the first frame and one a tick";

  // The daemon's signal ends it the way the core ends every run.
  app::RequestEnd(hack.program);
  EXPECT_EQ(hack.hp.process.exitCode, 0);
  Lines sounds = hack.Sounds();
  EXPECT_EQ(Lines(sounds.end() - 2, sounds.end()), (Lines{"stop bgm", "close bgm"}));
  EXPECT_EQ(display.holder, nullptr) << "the tune lock is given back with the tune";
}

// A daemon starts one hack per monitor, and its cycle starts the next hack
// while the last one is still ending: one tune on the display at a time.
TEST(HostedRunTest, OneHackPerDisplayPlaysAndTheNextTakesTheTuneOver) {
  headless::DisplayTuneLock display;
  std::unique_ptr<Hack> left = Hack::OnMonitor(0x100, &display);
  std::unique_ptr<Hack> right = Hack::OnMonitor(0x200, &display);
  EXPECT_EQ(left->Sounds(), kStart);
  EXPECT_TRUE(left->hp.hosting.HoldsTuneLock());
  // The second's tune counts as playing, but nothing reaches its device.
  EXPECT_EQ(right->program.music.BgmActive, base::kTrue16);
  right->Run(3);
  left->Run(3);
  EXPECT_TRUE(right->Sounds().empty());
  EXPECT_EQ(left->Sounds().size(), 2u + 30u + 1u)
      << "the holder polls its tune, and asks its length once";

  // A third hack waits too, and is ended before its turn: it never plays.
  std::unique_ptr<Hack> third = Hack::OnMonitor(0x300, &display);
  third->Run(2);
  app::RequestEnd(third->program);
  EXPECT_TRUE(third->Sounds().empty());

  // The first ends: at the second's next poll its tune starts for real.
  app::RequestEnd(left->program);
  EXPECT_EQ(display.holder, nullptr);
  const Lines kStartAndLength{kStart[0], kStart[1], "status bgm length"};
  right->Window().FireTimer2();
  EXPECT_EQ(right->Sounds(), kStartAndLength);
  EXPECT_TRUE(right->hp.hosting.HoldsTuneLock());
  right->Run(1);
  EXPECT_EQ(right->Sounds().size(), 3u + 10u);

  // A hack killed outright gives the lock back all the same.
  std::unique_ptr<Hack> next = Hack::OnMonitor(0x400, &display);
  right.reset();
  next->Window().FireTimer2();
  EXPECT_EQ(next->Sounds(), kStartAndLength);
}

// The displays go dark under two hacks: the one that played gives the
// display's tune lock back with its tune, so none holds it in the dark; when
// the light comes back, the first to see it plays and the other waits again.
TEST(HostedRunTest, TheDarkGivesTheTuneLockBack) {
  headless::DisplayTuneLock display;
  std::unique_ptr<Hack> left = Hack::OnMonitor(0x100, &display);
  std::unique_ptr<Hack> right = Hack::OnMonitor(0x200, &display);
  left->Window().DisplayPower(false);
  right->Window().DisplayPower(false);
  EXPECT_EQ(display.holder, nullptr);
  Lines sounds = left->Sounds();
  EXPECT_EQ(Lines(sounds.begin() + 2, sounds.end()), (Lines{"stop bgm", "close bgm"}));
  EXPECT_TRUE(right->Sounds().empty());

  right->Window().DisplayPower(true);
  left->Window().DisplayPower(true);
  EXPECT_EQ(right->Sounds(), kStart);
  EXPECT_TRUE(right->hp.hosting.HoldsTuneLock());
  left->Run(1);
  EXPECT_EQ(left->Sounds().size(), 4u) << "the other waits, silent";
  app::RequestEnd(right->program);
  left->Run(1);
  sounds = left->Sounds();
  EXPECT_EQ(Lines(sounds.begin() + 4, sounds.begin() + 6), kStart);
}

// A settings program shows the hack small in a window of its own: silent,
// and the tune lock is left to the saver.
TEST(HostedRunTest, ASmallPreviewOfTheHackNeverPlays) {
  headless::DisplayTuneLock display;
  Hack preview({0x500, false, kTwoMonitors}, {300, 200, 620, 440}, &display);
  app::RunMain(preview.program);
  preview.Run(3);
  EXPECT_FALSE(preview.hp.process.Ended());
  EXPECT_TRUE(preview.Sounds().empty());
  EXPECT_EQ(preview.hp.hosting.lockTakes, 0);
  EXPECT_EQ(preview.program.run.Tune, app::TuneRule::Silent);

  // The daemon's saver beside it plays.
  std::unique_ptr<Hack> saver = Hack::OnMonitor(0x600, &display);
  EXPECT_EQ(saver->Sounds(), kStart);
  app::RequestEnd(preview.program);
  EXPECT_TRUE(preview.Sounds().empty());
}

TEST(HostedRunTest, TheTuneBelongsToHostsThatCoverAScreen) {
  struct Case {
    bool daemonsSaverWindow;
    platform::Rect32 rect;
    std::vector<platform::Rect32> monitors;
    bool covers;
  };
  for (const Case& c : {
           // The daemon's own window, whatever size it reports.
           Case{true, {0, 0, 200, 150}, kTwoMonitors, true},
           // Another daemon's window over one monitor, or over both.
           Case{false, {1024, 0, 2048, 768}, kTwoMonitors, true},
           Case{false, {0, 0, 2048, 768}, kTwoMonitors, true},
           Case{false, {-10, -10, 1034, 778}, kTwoMonitors, true},
           // A settings program's preview; a window one pixel short of a
           // monitor; no monitors known.
           Case{false, {300, 200, 620, 440}, kTwoMonitors, false},
           Case{false, {0, 0, 1024, 767}, kTwoMonitors, false},
           Case{false, {1, 0, 1025, 768}, kTwoMonitors, false},
           Case{false, {0, 0, 1024, 768}, {}, false},
           Case{false, {0, 0, 0, 0}, {{0, 0, 0, 0}}, false},
       }) {
    platform::HostWindow host{1, c.daemonsSaverWindow, c.monitors};
    EXPECT_EQ(app::HostCoversAScreen(host, c.rect), c.covers)
        << c.rect.left << "," << c.rect.top << " " << c.rect.right << "," << c.rect.bottom;
  }

  // A daemon's window whose rectangle cannot be read: silent.
  headless::DisplayTuneLock display;
  Hack gone({0x700, true, kTwoMonitors}, {}, &display);
  gone.hp.screen.windows.clear();
  app::RunMain(gone.program);
  EXPECT_EQ(gone.program.run.Tune, app::TuneRule::Silent);
  EXPECT_TRUE(gone.Sounds().empty());
}

}  // namespace
