#include "ports/linux/music_gate.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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
  bool Execute(std::string_view command) override {
    sent.emplace_back(command);
    return true;
  }
};

std::filesystem::path LockPath() {
  return std::filesystem::temp_directory_path() /
         ("quimbel-gate-test-" + std::to_string(::getpid()) + ".lock");
}

TEST(MusicGate, OnlyTheFirstHackOnADisplayPlays) {
  std::filesystem::path lock = LockPath();
  RecordingSound first, second;
  {
    MusicGate a(first, lock);
    MusicGate b(second, lock);
    EXPECT_TRUE(a.Holder());
    EXPECT_FALSE(b.Holder());

    std::string reply;
    EXPECT_EQ(a.Send("open x alias bgm", nullptr, 0), 0u);
    EXPECT_EQ(a.Send("status bgm mode", &reply, 80), 0u);
    EXPECT_EQ(reply, "playing");
    EXPECT_TRUE(a.Execute("stop bgm"));

    // The second one's open fails, so its music never starts, and nothing
    // reaches its device.
    EXPECT_NE(b.Send("open x alias bgm", nullptr, 0), 0u);
    EXPECT_FALSE(b.Execute("close bgm"));
    EXPECT_EQ(first.sent.size(), 3u);
    EXPECT_TRUE(second.sent.empty());
  }
  // The lock goes with its holder: the next hack started plays again.
  MusicGate c(second, lock);
  EXPECT_TRUE(c.Holder());
  std::filesystem::remove(lock);
}

TEST(MusicGate, AnUnusableLockFileSilencesRatherThanDoublesTheTune) {
  RecordingSound device;
  MusicGate gate(device, "/nonexistent-dir/quimbel.lock");
  EXPECT_FALSE(gate.Holder());
  EXPECT_NE(gate.Send("open x alias bgm", nullptr, 0), 0u);
  EXPECT_TRUE(device.sent.empty());
}

TEST(MusicGate, LockFilesAreNamedPerDisplay) {
  std::string a = MusicGate::LockFileFor(":0").filename().string();
  std::string b = MusicGate::LockFileFor(":1").filename().string();
  std::string c = MusicGate::LockFileFor("host/x:0.0").filename().string();
  EXPECT_NE(a, b);
  EXPECT_EQ(c.find('/'), std::string::npos);
}

}  // namespace
}  // namespace quimbel::linux_port
