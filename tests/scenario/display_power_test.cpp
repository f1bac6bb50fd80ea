// The displays switched off by power management and on again during a saver
// run: no frames and no tune in the dark, a whole frame and the tune from its
// beginning when the light comes back, and input ends the run throughout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/saver_run.hpp"

using namespace quimbel;
using fixtures::SaverRun;

namespace {

using Lines = std::vector<std::string>;

const Lines kTuneStart{"open \"C:\\Saver\\quimbel.mid\" alias bgm", "play bgm notify"};

Lines Since(const headless::HeadlessSound& sound, std::size_t from) {
  return Lines(sound.commands.begin() + static_cast<std::ptrdiff_t>(from), sound.commands.end());
}

struct DarkRun : SaverRun {
  explicit DarkRun(int musicMode) : SaverRun(320, 240, 5, 0, 2, musicMode) {
    hp.process.executableDirectory = "C:\\Saver";
    hp.screen.cursor = {10, 10};
    Start();
  }
  // 100 ms of a lit run: ten polls of the tune, one tick.
  void Run(int ticks) {
    for (int t = 0; t < ticks; ++t) {
      for (int p = 0; p < 10; ++p)
        Window().FireTimer2();
      Window().FireTimer1();
    }
  }
};

TEST(DisplayPowerTest, TheDarkStopsFramesAndTuneAndTheLightBringsBothBackWhole) {
  DarkRun run(2);
  run.Run(3);
  headless::SaverRecord& w = run.Window();
  headless::HeadlessSound& sound = run.hp.sound;
  const long lit = w.presentCount;
  std::size_t heard = sound.commands.size();

  w.DisplayPower(false);
  EXPECT_EQ(Since(sound, heard), (Lines{"stop bgm", "close bgm"}));
  EXPECT_TRUE(sound.devices.empty()) << "the device is let go of, not paused";
  EXPECT_EQ(w.timer2Ms, 0) << "no tune, no poll";
  EXPECT_EQ(w.timer1Ms, 250) << "a few ticks a second, to see input";
  const engine::CaraState before = run.Slot(0);
  heard = sound.commands.size();
  const std::size_t calls = w.calls.size();
  w.DisplayPower(false);
  run.Ticks(8);
  EXPECT_EQ(w.presentCount, lit) << "nothing composed or presented in the dark";
  EXPECT_EQ(run.Slot(0).PosX, before.PosX) << "the cast waits where it stands";
  EXPECT_EQ(w.calls.size(), calls) << "a repeated off changes nothing";
  EXPECT_EQ(sound.commands.size(), heard);

  w.DisplayPower(true);
  EXPECT_EQ(Since(sound, heard), kTuneStart) << "opened afresh: from its beginning";
  EXPECT_EQ(w.timer1Ms, 100);
  EXPECT_EQ(w.timer2Ms, 10);
  heard = sound.commands.size();
  w.DisplayPower(true);
  EXPECT_EQ(sound.commands.size(), heard) << "a repeated on changes nothing";
  run.Ticks(1);
  EXPECT_EQ(w.presentCount, lit + 1);
  EXPECT_EQ(w.changed, (std::vector<base::Rect>{{0, 0, 320, 240}})) << "a whole frame";
  EXPECT_EQ(w.Shown(), run.program.saver.scr_work);

  // In the dark again, a one-pixel move at the next tick ends the run, as
  // does a key: the tune, closed already, is not stopped twice.
  w.DisplayPower(false);
  heard = sound.commands.size();
  run.hp.screen.cursor = {11, 10};
  run.Ticks(1);
  EXPECT_TRUE(run.hp.process.Ended());
  EXPECT_EQ(run.hp.process.exitCode, 0);
  EXPECT_EQ(sound.commands.size(), heard);
  EXPECT_TRUE(run.hp.messageBoxes.shown.empty());

  DarkRun keyed(0);
  keyed.Window().DisplayPower(false);
  keyed.Window().KeyDown();
  EXPECT_TRUE(keyed.hp.process.Ended());
  EXPECT_TRUE(keyed.hp.sound.calls.empty()) << "music off: nothing to close or open";
}

// A platform that must be asked is asked about once a second, lit or dark,
// and the answer acts as the port's report would.
TEST(DisplayPowerTest, APlatformThatMustBeAskedIsAskedOnceASecond) {
  DarkRun run(2);
  headless::SaverRecord& w = run.Window();
  run.hp.screen.displaysLit = true;
  run.Run(9);
  EXPECT_EQ(run.hp.screen.powerProbes, 0);
  run.hp.screen.displaysLit = false;
  run.Run(1);
  EXPECT_EQ(run.hp.screen.powerProbes, 1);
  EXPECT_EQ(w.timer1Ms, 250);
  EXPECT_TRUE(run.hp.sound.devices.empty());
  const long dark = w.presentCount;
  run.Ticks(3);
  EXPECT_EQ(run.hp.screen.powerProbes, 1);
  run.hp.screen.displaysLit = true;
  run.Ticks(1);
  EXPECT_EQ(run.hp.screen.powerProbes, 2) << "four dark ticks make a second";
  EXPECT_EQ(w.presentCount, dark + 1) << "the probe's tick already draws";
  EXPECT_EQ(w.changed, (std::vector<base::Rect>{{0, 0, 320, 240}}));
  EXPECT_TRUE(run.hp.sound.devices.contains("bgm"));

  // A platform that cannot tell leaves the run as it is.
  run.hp.screen.displaysLit.reset();
  w.DisplayPower(false);
  run.Ticks(20);
  EXPECT_EQ(w.timer1Ms, 250);
  EXPECT_FALSE(run.hp.process.Ended());
}

}  // namespace
