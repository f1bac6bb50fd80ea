// The tune's poll over whole runs with the headless device's clock: the poll
// sleeps through most of the tune, yet the tune plays again within one quick
// poll of its end; timers that fire late by a share of their period change
// neither.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/saver_run.hpp"

using namespace quimbel;
using fixtures::SaverRun;

namespace {

constexpr long kTuneMs = 61'234;

// A message loop over the headless window: the clock moves a millisecond at
// a time and each running timer fires once its period is up, late by
// lateShare of the period, as a coarse timer may be.
struct ClockedRun : SaverRun {
  explicit ClockedRun(double lateShare) : SaverRun(320, 240, 3, 0, 2, 2), late(lateShare) {
    hp.sound.tuneMs = kTuneMs;
    hp.screen.cursor = {10, 10};
    Start();
  }

  void Advance(long ms) {
    for (long end = now() + ms; now() < end;) {
      ++hp.sound.nowMs;
      Due(Window().timer1Ms, period1, next1, [this] { Window().FireTimer1(); });
      Due(Window().timer2Ms, period2, next2, [this] {
        ++polls;
        std::size_t heard = hp.sound.commands.size();
        Window().FireTimer2();
        for (std::size_t i = heard; i < hp.sound.commands.size(); ++i)
          if (hp.sound.commands[i] == "play bgm notify")
            plays.push_back(now());
      });
    }
  }
  long now() const { return hp.sound.nowMs; }

  template <class Fire>
  void Due(int periodMs, int& period, long& next, Fire fire) {
    if (periodMs != period) {  // started, stopped or given a new period
      period = periodMs;
      next = now() + Late(periodMs);
    }
    if (period > 0 && now() >= next) {
      fire();
      next = now() + Late(period);
    }
  }
  long Late(int periodMs) const { return periodMs + static_cast<long>(periodMs * late); }

  double late;
  int period1 = 0, period2 = 0;
  long next1 = 0, next2 = 0;
  long polls = 0;
  std::vector<long> plays{0};  // the set-up's play, at time 0
};

TEST(MusicPollTest, TheTuneLoopsWithinOneQuickPollOfItsEndAndThePollSleepsBetween) {
  for (double late : {0.0, 0.05}) {
    ClockedRun run(late);
    run.Advance(4 * kTuneMs + 500);
    ASSERT_EQ(run.plays.size(), 5u) << "late " << late;
    for (std::size_t i = 1; i < run.plays.size(); ++i) {
      const long end = run.plays[i - 1] + kTuneMs;
      EXPECT_GE(run.plays[i], end) << "late " << late << ", loop " << i;
      EXPECT_LE(run.plays[i], end + 10) << "late " << late << ", loop " << i;
    }
    EXPECT_LE(run.polls, 4 * 12) << "late " << late << ": a few polls a tune, not every 10 ms";
    EXPECT_GE(run.polls, 4 * 3) << "late " << late;
  }
}

// The displays' dark stops the poll; the light brings the tune back from its
// beginning, and the poll sleeps again.
TEST(MusicPollTest, TheDarkStopsThePollAndTheLightSleepsAgain) {
  ClockedRun run(0);
  run.Advance(20'000);
  run.Window().DisplayPower(false);
  const long before = run.polls;
  run.Advance(3 * kTuneMs);
  EXPECT_EQ(run.polls, before) << "no poll while dark";
  run.Window().DisplayPower(true);
  const long lit = run.now();
  run.Advance(kTuneMs - 100);
  EXPECT_LE(run.polls - before, 6) << "asleep for most of the tune";
  run.Advance(200);
  ASSERT_FALSE(run.plays.empty());
  EXPECT_GE(run.plays.back(), lit + kTuneMs);
  EXPECT_LE(run.plays.back(), lit + kTuneMs + 10);
}

// Music off, or a tune that fails to open: nothing to poll, the timer stops.
TEST(MusicPollTest, WithoutATuneThePollStops) {
  SaverRun off(320, 240, 3, 0, 2, 0);
  off.Start();
  off.Window().FireTimer2();
  EXPECT_EQ(off.Window().timer2Ms, 0);
  SaverRun failed(320, 240, 3, 0, 2, 2);
  failed.hp.sound.Answer("open", {platform::kSoundFileNotFound, {}});
  failed.Start();
  failed.Window().FireTimer2();
  EXPECT_EQ(failed.Window().timer2Ms, 0);
  EXPECT_EQ(failed.Window().timer1Ms, 100) << "the animation goes on";
}

}  // namespace
