#include "ports/linux/sound/music_gate.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace quimbel::linux_port {
namespace {

class RecordingSound : public platform::SoundService {
 public:
  std::vector<std::string> sent;
  std::uint32_t Send(std::string_view command, std::string* reply, std::size_t) override {
    sent.emplace_back(command);
    if (reply != nullptr)
      *reply = "playing";
    return 0;
  }
  std::string ErrorText(std::uint32_t) override { return "no"; }
};

std::filesystem::path LockPath() {
  return std::filesystem::temp_directory_path() /
         ("quimbel-gate-test-" + std::to_string(::getpid()) + ".lock");
}

// The daemon's cycle: the next hack starts while the last one still plays.
TEST(MusicGate, AHackThatFindsTheTuneTakenStartsItWhenTheOtherEnds) {
  std::filesystem::path lock = LockPath();
  RecordingSound first, second, third;
  auto a = std::make_unique<MusicGate>(first, lock);
  MusicGate b(second, lock);
  std::string reply(80, ' ');
  EXPECT_EQ(a->Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_EQ(a->Send("play bgm notify", nullptr, 0), 0u);
  EXPECT_TRUE(a->Holder());

  // The second one's tune counts as playing, but nothing reaches its device.
  EXPECT_EQ(b.Send("open \"/d/quimbel.mid\" alias bgm", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("play bgm notify", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("status bgm mode", &reply, 80), 0u);
  EXPECT_EQ(reply.substr(0, 8), std::string("playing\0", 8));
  EXPECT_EQ(b.Send("seek bgm to start", nullptr, 0), 0u);
  EXPECT_FALSE(b.Holder());
  EXPECT_TRUE(second.sent.empty());

  a.reset();  // the first hack ends (a kill gives the lock back the same way)
  EXPECT_EQ(b.Send("status bgm mode", &reply, 80), 0u);
  EXPECT_TRUE(b.Holder());
  EXPECT_EQ(second.sent, (std::vector<std::string>{"open \"/d/quimbel.mid\" alias bgm", "play bgm",
                                                   "status bgm mode"}));

  // Still one at a time: a third hack now waits for the second.
  MusicGate c(third, lock);
  EXPECT_EQ(c.Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_EQ(c.Send("play bgm notify", nullptr, 0), 0u);
  EXPECT_FALSE(c.Holder());
  EXPECT_TRUE(third.sent.empty());

  // Closing the tune gives the lock back at once, without the process ending.
  EXPECT_EQ(b.Send("stop bgm", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("close bgm", nullptr, 0), 0u);
  EXPECT_FALSE(b.Holder());
  EXPECT_EQ(c.Send("status bgm mode", &reply, 80), 0u);
  EXPECT_TRUE(c.Holder());
  EXPECT_EQ(third.sent.size(), 3u);
  std::filesystem::remove(lock);
}

TEST(MusicGate, AWaitingTuneThatWasClosedNeverStarts) {
  std::filesystem::path lock = LockPath();
  RecordingSound first, second;
  auto a = std::make_unique<MusicGate>(first, lock);
  MusicGate b(second, lock);
  EXPECT_EQ(a->Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("play bgm notify", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("stop bgm", nullptr, 0), 0u);
  EXPECT_EQ(b.Send("close bgm", nullptr, 0), 0u);
  a.reset();
  std::string reply(80, ' ');
  EXPECT_NE(b.Send("status bgm mode", &reply, 80), 0u);
  EXPECT_FALSE(b.Holder());
  EXPECT_TRUE(second.sent.empty());
  std::filesystem::remove(lock);
}

// A settings program's preview, or no lock file to be had: silent rather
// than a second tune.
TEST(MusicGate, AHackThatMayNotPlayStaysSilent) {
  std::filesystem::path lock = LockPath();
  RecordingSound preview, device;
  MusicGate small(preview, lock, false);
  EXPECT_NE(small.Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_NE(small.Send("close bgm", nullptr, 0), 0u);
  EXPECT_TRUE(preview.sent.empty());
  std::filesystem::remove(lock);

  MusicGate gate(device, "/nonexistent-dir/quimbel.lock");
  EXPECT_NE(gate.Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_FALSE(gate.Holder());
  EXPECT_TRUE(device.sent.empty());
}

TEST(MusicGate, LockFilesAreNamedPerDisplay) {
  std::string a = MusicGate::LockFileFor(":0").filename().string();
  std::string b = MusicGate::LockFileFor(":1").filename().string();
  std::string c = MusicGate::LockFileFor("host/x:0.0").filename().string();
  EXPECT_NE(a, b);
  EXPECT_EQ(c.find('/'), std::string::npos);
  // The daemon's hacks see ":0.0" where a preview started by hand sees ":0".
  EXPECT_EQ(MusicGate::LockFileFor(":0.0").filename().string(), a);
  EXPECT_EQ(MusicGate::LockFileFor("host/x:0").filename().string(), c);
}

}  // namespace
}  // namespace quimbel::linux_port
