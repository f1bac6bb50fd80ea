// The background tune's commands: what goes out, what the answers do to it,
// and which failures the user is told of.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"
#include "sound/music.hpp"

using namespace quimbel;
using headless::SoundAnswer;
using headless::SoundCall;

namespace {

struct MusicFixture : ::testing::Test {
  headless::HeadlessPlatform port;
  app::Program program{port.platform};
  headless::HeadlessSound& sound = port.sound;

  MusicFixture() {
    program.run.AppPath = "C:\\Saver\\";
    program.settings.MusicMode = 2;
  }

  void Play(std::int16_t mode) { sound::PlayMusic(program, mode); }

  std::vector<std::string> Log() const { return sound.commands; }
  std::vector<std::string> LogFrom(std::size_t first) const {
    std::vector<std::string> log = Log();
    return {log.begin() + static_cast<std::ptrdiff_t>(first), log.end()};
  }
  bool Active() const { return program.music.BgmActive != 0; }
};

using Lines = std::vector<std::string>;

TEST_F(MusicFixture, StartOpensTheFileByModeAndPlays) {
  Play(sound::MusicStart);
  EXPECT_EQ(Log(), (Lines{"open \"C:\\Saver\\quimbel.mid\" alias bgm", "play bgm notify"}));
  EXPECT_FALSE(sound.calls[0].withReply);
  EXPECT_FALSE(sound.calls[1].withReply);
  EXPECT_EQ(program.music.BgmActive, -1);

  headless::HeadlessPlatform other;
  app::Program wav(other.platform);
  wav.run.AppPath = "/opt/q/";
  wav.settings.MusicMode = 1;
  sound::PlayMusic(wav, sound::MusicStart);
  ASSERT_FALSE(other.sound.commands.empty());
  EXPECT_EQ(other.sound.commands[0], "open \"/opt/q/quimbel.wav\" alias bgm");
}

TEST_F(MusicFixture, OffAndUnknownModesSendNothingAtAll) {
  for (int mode : {0, 3, -1, 32767}) {
    headless::HeadlessPlatform fresh;
    app::Program p(fresh.platform);
    p.run.AppPath = "C:\\Saver\\";
    p.settings.MusicMode = mode;
    sound::PlayMusic(p, sound::MusicStart);
    for (int i = 0; i < 3; ++i)
      sound::PlayMusic(p, sound::MusicPoll);
    sound::PlayMusic(p, sound::MusicStop);
    EXPECT_TRUE(fresh.sound.calls.empty()) << "music mode " << mode;
    EXPECT_EQ(p.music.BgmActive, 0);
  }
}

TEST_F(MusicFixture, OffLeavesAnEarlierFlagAlone) {
  program.music.BgmActive = -1;
  program.settings.MusicMode = 0;
  Play(sound::MusicStart);
  EXPECT_EQ(program.music.BgmActive, -1);
}

TEST_F(MusicFixture, OtherOperationModesDoNothing) {
  Play(sound::MusicStart);
  std::size_t before = sound.calls.size();
  for (std::int16_t mode : {3, -1, 100})
    Play(mode);
  EXPECT_EQ(sound.calls.size(), before);
}

TEST_F(MusicFixture, PathsWithBlanksAndJapaneseAreQuotedWhole) {
  program.run.AppPath = "C:\\Program Files\\くいんべる 2\\";
  Play(sound::MusicStart);
  ASSERT_FALSE(sound.commands.empty());
  EXPECT_EQ(sound.commands[0], "open \"C:\\Program Files\\くいんべる 2\\quimbel.mid\" alias bgm");
  // The simulated device reads the quoted path as one word and opens it.
  EXPECT_TRUE(Active());
  EXPECT_TRUE(sound.devices.contains("bgm"));
}

TEST_F(MusicFixture, FailedOpenStaysSilentWithoutAMessage) {
  sound.Answer("open", {platform::kSoundFileNotFound, {}});
  Play(sound::MusicStart);
  EXPECT_EQ(Log(), (Lines{"open \"C:\\Saver\\quimbel.mid\" alias bgm"}));
  EXPECT_FALSE(Active());
  Play(sound::MusicPoll);
  Play(sound::MusicStop);
  EXPECT_EQ(sound.calls.size(), 1u) << "nothing is polled or stopped after a failed open";
  EXPECT_TRUE(port.messageBoxes.shown.empty());
}

TEST_F(MusicFixture, FailedPlayClosesAtOnce) {
  sound.Answer("play bgm notify", {platform::kSoundHardware, {}});
  Play(sound::MusicStart);
  EXPECT_EQ(Log(),
            (Lines{"open \"C:\\Saver\\quimbel.mid\" alias bgm", "play bgm notify", "close bgm"}));
  EXPECT_FALSE(Active());
  EXPECT_TRUE(sound.devices.empty());
  EXPECT_TRUE(port.messageBoxes.shown.empty()) << "the failed play itself is not reported";
  Play(sound::MusicPoll);
  EXPECT_EQ(sound.calls.size(), 3u);
}

TEST_F(MusicFixture, StartClearsTheFlagBeforeTrying) {
  program.music.BgmActive = -1;
  sound.Answer("open", {platform::kSoundFileNotFound, {}});
  Play(sound::MusicStart);
  EXPECT_FALSE(Active());
}

TEST_F(MusicFixture, PollWhilePlayingOnlyAsksTheMode) {
  Play(sound::MusicStart);
  Play(sound::MusicPoll);
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(2), (Lines{"status bgm mode", "status bgm mode"}));
  EXPECT_TRUE(sound.calls[2].withReply);
  EXPECT_EQ(sound.calls[2].replyLength, 80u);
}

TEST_F(MusicFixture, PollAfterTheEndRewindsAndPlays) {
  Play(sound::MusicStart);
  sound.EndTune("bgm");
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(2), (Lines{"status bgm mode", "seek bgm to start", "play bgm notify"}));
  EXPECT_EQ(sound.devices["bgm"], "playing");
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(5), (Lines{"status bgm mode"})) << "playing again after one poll";
}

TEST_F(MusicFixture, OnlyTheFirstSevenCharactersMatterAndCaseDoes) {
  Play(sound::MusicStart);
  struct Case {
    const char* reply;
    bool restarts;
  };
  for (Case c : {Case{"playing", false}, Case{"playing and more", false}, Case{"paused", true},
                 Case{"seeking", true}, Case{"Playing", true}, Case{"play", true}, Case{"", true},
                 Case{"stopped", true}}) {
    std::size_t before = sound.calls.size();
    sound.Answer("status bgm mode", {platform::kSoundOk, c.reply});
    Play(sound::MusicPoll);
    std::size_t sent = sound.calls.size() - before;
    EXPECT_EQ(sent, c.restarts ? 3u : 1u) << "reply \"" << c.reply << "\"";
  }
}

TEST_F(MusicFixture, FailedStatusWaitsForTheNextPoll) {
  Play(sound::MusicStart);
  sound.Answer("status bgm mode", {platform::kSoundHardware, {}});
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(2), (Lines{"status bgm mode"}));
  sound.EndTune("bgm");
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(3), (Lines{"status bgm mode", "seek bgm to start", "play bgm notify"}));
}

TEST_F(MusicFixture, ARestartThatFailsIsReportedInTheServicesWordsAndTriedAgain) {
  Play(sound::MusicStart);
  sound.EndTune("bgm");
  sound.Answer("play bgm notify", {platform::kSoundHardware, {}});
  Play(sound::MusicPoll);
  ASSERT_EQ(port.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(port.messageBoxes.shown[0].caption, "play bgm notify");
  EXPECT_EQ(port.messageBoxes.shown[0].text, "error 262");
  EXPECT_EQ(port.messageBoxes.shown[0].flags, platform::kMbIconExclamation);
  EXPECT_TRUE(Active());
  Play(sound::MusicPoll);
  EXPECT_EQ(LogFrom(5), (Lines{"status bgm mode", "seek bgm to start", "play bgm notify"}));
}

TEST_F(MusicFixture, StopStopsAndClosesAndKeepsTheFlag) {
  Play(sound::MusicStart);
  Play(sound::MusicStop);
  EXPECT_EQ(LogFrom(2), (Lines{"stop bgm", "close bgm"}));
  EXPECT_TRUE(sound.devices.empty());
  EXPECT_TRUE(Active());
  EXPECT_TRUE(port.messageBoxes.shown.empty());
}

// The box runs a nested loop on every platform, and the 10 ms poll goes on
// under it: a restart that keeps failing must not open a box every poll.
TEST_F(MusicFixture, FailuresUnderAnOpenBoxAddNoSecondBoxWhileThePollGoesOn) {
  Play(sound::MusicStart);
  sound.EndTune("bgm");
  for (int i = 0; i < 5; ++i)
    sound.Answer("play bgm notify", {platform::kSoundHardware, {}});
  int pollsUnderTheBox = 0;
  port.messageBoxes.whileOpen = [&] {
    for (; pollsUnderTheBox < 3; ++pollsUnderTheBox)
      Play(sound::MusicPoll);
  };
  Play(sound::MusicPoll);
  EXPECT_EQ(port.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(pollsUnderTheBox, 3);
  // The start's, the failing poll's, and one for every poll under the box.
  EXPECT_EQ(std::count(sound.commands.begin(), sound.commands.end(), "play bgm notify"), 5);
  EXPECT_FALSE(program.boxes.Open());
  Play(sound::MusicPoll);
  EXPECT_EQ(port.messageBoxes.shown.size(), 2u) << "with the box closed, the next failure shows";
}

TEST_F(MusicFixture, StopWithoutMusicSendsNothing) {
  Play(sound::MusicStop);
  EXPECT_TRUE(sound.calls.empty());
}

}  // namespace
