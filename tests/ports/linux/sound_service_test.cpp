// The Linux sound service for real: SDL's disk driver writes what would be
// heard to a file, which the tests read back.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/sound_service.hpp"
#include "ports/linux/sound/sound_service.hpp"
#include "support/sound_service_conformance.hpp"

using namespace quimbel::linux_port;
using namespace quimbel::platform;
using quimbel::conformance::WriteHeldNoteMidi;
using quimbel::conformance::WriteToneWav;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kOutputRate = 44100;  // what the disk driver writes: stereo, 16 bits

// The loudest sample in each millisecond of the output, both channels.
std::vector<int> PeaksPerMillisecond(const fs::path& raw) {
  std::ifstream in(raw, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t perMs = kOutputRate / 1000 * 4;
  std::vector<int> peaks;
  for (std::size_t at = 0; at + perMs <= bytes.size(); at += perMs) {
    int peak = 0;
    for (std::size_t i = at; i < at + perMs; i += 2) {
      auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                              (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
      peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    peaks.push_back(peak);
  }
  return peaks;
}

class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = quimbel::conformance::TestFolder(u8"quimbel sound くいんべる ");
    raw_ = dir_ / "out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw_.c_str(), 1);
    service_ = std::make_unique<SdlSoundService>();
  }
  void TearDown() override {
    service_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::uint32_t Send(const std::string& command) { return service_->Send(command, nullptr, 0); }
  bool Execute(const std::string& command) { return Send(command) == kSoundOk; }
  std::string Mode() {
    std::string reply(80, ' ');
    EXPECT_EQ(service_->Send("status bgm mode", &reply, 80), kSoundOk);
    return reply.substr(0, reply.find('\0'));
  }
  std::string Open(const fs::path& file) { return "open \"" + file.string() + "\" alias bgm"; }
  // Polls as the saver does, every 10 ms, until the tune is no longer playing.
  double SecondsUntilNotPlaying(double limit) {
    auto start = Clock::now();
    while (Mode() == "playing") {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (std::chrono::duration<double>(Clock::now() - start).count() > limit)
        break;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
  }
  // Ends the output and reads what was written.
  std::vector<int> Output() {
    service_.reset();
    return PeaksPerMillisecond(raw_);
  }

  fs::path dir_;
  fs::path raw_;
  std::unique_ptr<SdlSoundService> service_;
};

// What the mixer mixes is heard a chunk at a time.
constexpr int kChunkMs = kMixerChunkFrames * 1000 / kOutputRate;
constexpr double kChunkSeconds = kChunkMs / 1000.0;

void SleepMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The output as alternating runs of quiet and sounding milliseconds, the
// first one quiet (possibly of length 0).
std::vector<int> Runs(const std::vector<int>& peaks) {
  std::vector<int> runs{0};
  bool sounding = false;
  for (int peak : peaks) {
    if ((peak > 300) != sounding) {
      sounding = !sounding;
      runs.push_back(0);
    }
    ++runs.back();
  }
  return runs;
}

// Files the mixer cannot play: the open fails and the saver runs silent.
TEST_F(SdlSoundTest, FilesThatCannotPlayAreRefused) {
  fs::path notMidi = dir_ / "text.mid";
  std::ofstream(notMidi) << "not a tune";
  EXPECT_EQ(Send(Open(notMidi)), kSoundInvalidFile);
  EXPECT_EQ(Send(Open(dir_ / "missing.mid")), kSoundFileNotFound);
  fs::path ogg = dir_ / "tone.ogg";
  WriteToneWav(ogg, 0.2);
  EXPECT_EQ(Send(Open(ogg)), kSoundExtensionNotFound);
  EXPECT_EQ(Send("status bgm mode"), kSoundInvalidDeviceName) << "nothing was opened";
}

TEST_F(SdlSoundTest, WavSoundsStopsSilentlyAndLoopsThroughThePoll) {
  fs::path wav = dir_ / "tone.wav";
  WriteToneWav(wav, 1.2);
  ASSERT_EQ(Send(Open(wav)), kSoundOk);
  EXPECT_EQ(Mode(), "stopped");
  ASSERT_EQ(Send("play bgm notify"), kSoundOk);
  EXPECT_EQ(Mode(), "playing");
  double ended = SecondsUntilNotPlaying(4);
  EXPECT_EQ(Mode(), "stopped");
  // Seen a chunk at a time, as the chunks are mixed ahead of their sound.
  EXPECT_GT(ended, 1.2 - kChunkSeconds - 0.05);
  EXPECT_LT(ended, 1.2 + kChunkSeconds + 0.2);
  // What the poll does at the end: rewind and play.
  ASSERT_TRUE(Execute("seek bgm to start"));
  ASSERT_TRUE(Execute("play bgm notify"));
  EXPECT_EQ(Mode(), "playing");
  SecondsUntilNotPlaying(4);
  ASSERT_TRUE(Execute("seek bgm to start"));
  ASSERT_TRUE(Execute("play bgm notify"));
  SleepMs(kChunkMs + 100);
  ASSERT_TRUE(Execute("stop bgm"));
  EXPECT_EQ(Mode(), "stopped");
  SleepMs(2 * kChunkMs + 200);
  ASSERT_TRUE(Execute("close bgm"));

  // Sounding, quiet, sounding, quiet, sounding, and quiet after the stop.
  std::vector<int> runs = Runs(Output());
  ASSERT_EQ(runs.size(), 7u);
  EXPECT_GT(runs[1], 1150);
  EXPECT_GT(runs[3], 1150);
  // The play before the stop is heard in whole chunks, the last to its end.
  EXPECT_GT(runs[5], kChunkMs - 20);
  EXPECT_LT(runs[5], 2 * kChunkMs + 20);
  EXPECT_GE(runs[6], kChunkMs) << "nothing is heard after the stop";
  for (int gap : {runs[2], runs[4]}) {
    EXPECT_LT(gap, kChunkMs + 30) << "the replay starts with the chunk after the end";
    RecordProperty("wav_restart_gap_ms", gap);
  }
}

TEST_F(SdlSoundTest, MidiEndsWithItsLastEventNotWithTheSynthesizersRing) {
  fs::path mid = dir_ / "held.mid";
  WriteHeldNoteMidi(mid, 960);  // one second
  ASSERT_EQ(Send(Open(mid)), kSoundOk);
  ASSERT_EQ(Send("play bgm notify"), kSoundOk);
  double ended = SecondsUntilNotPlaying(6);
  EXPECT_GT(ended, 1.0 - kChunkSeconds - 0.05);
  EXPECT_LT(ended, 1.0 + kChunkSeconds + 0.1)
      << "the ring after the last note is not part of the tune";
  ASSERT_TRUE(Execute("seek bgm to start"));
  ASSERT_TRUE(Execute("play bgm notify"));
  SleepMs(kChunkMs + 100);
  ASSERT_TRUE(Execute("stop bgm"));
  SleepMs(2 * kChunkMs + 200);
  // Played again from where it stopped, and stopped at once.
  ASSERT_TRUE(Execute("play bgm notify"));
  EXPECT_EQ(Mode(), "playing");
  ASSERT_TRUE(Execute("stop bgm"));
  EXPECT_EQ(Mode(), "stopped");
  ASSERT_TRUE(Execute("close bgm"));

  // The first play sounds to its last note and rings on to the end of the
  // chunk where its end was seen; the replay follows with the next chunk
  // and sounds in whole chunks until the stop; then nothing, nor from the
  // play that was stopped at once.
  std::vector<int> runs = Runs(Output());
  ASSERT_GE(runs.size(), 3u);
  ASSERT_EQ(runs.size() % 2, 1u);
  EXPECT_GT(runs[1], 950);
  int sounding = 0;
  for (std::size_t i = 1; i < runs.size(); i += 2)
    sounding += runs[i];
  EXPECT_LT(sounding, 1000 + 3 * kChunkMs + 50);
  for (std::size_t i = 2; i + 1 < runs.size(); i += 2)
    EXPECT_LT(runs[i], kChunkMs + 30) << "the replay starts with the chunk after the end";
  EXPECT_GE(runs.back(), kChunkMs);
}

TEST_F(SdlSoundTest, TheDefaultTunesOpenAndSound) {
  // ctest names the sources; __FILE__ is relative when the compiler cache
  // rewrites paths.
  const char* source = std::getenv("QUIMBEL_SOURCE_DIR");
  fs::path assets =
      (source != nullptr
           ? fs::path(source)
           : fs::path(__FILE__).parent_path().parent_path().parent_path().parent_path()) /
      "assets";
  for (const char* name : {"quimbel.mid", "quimbel.wav"}) {
    ASSERT_EQ(Send(Open(assets / name)), kSoundOk) << name;
    ASSERT_EQ(Send("play bgm notify"), kSoundOk);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(Mode(), "playing");
    // Closing the last device closes the output and its file.
    ASSERT_EQ(Send("close bgm"), kSoundOk);
    std::vector<int> runs = Runs(PeaksPerMillisecond(raw_));
    int sounding = 0;
    for (std::size_t i = 1; i < runs.size(); i += 2)
      sounding += runs[i];
    EXPECT_GT(sounding, 250) << name << " was heard";
  }
}

// SDL_mixer makes its synthesizer from whatever new_fluid_settings the
// dynamic linker finds first: it must be the program's, or the whole sound
// font is loaded at the tune's open.
TEST(SynthSettingsTest, TheMixersSynthesizerLoadsSamplesOnDemand) {
  using Make = void* (*)();
  using GetInt = int (*)(void*, const char*, int*);
  using Delete = void (*)(void*);
  auto make = reinterpret_cast<Make>(dlsym(RTLD_DEFAULT, "new_fluid_settings"));
  auto getInt = reinterpret_cast<GetInt>(dlsym(RTLD_DEFAULT, "fluid_settings_getint"));
  auto release = reinterpret_cast<Delete>(dlsym(RTLD_DEFAULT, "delete_fluid_settings"));
  ASSERT_TRUE(make != nullptr && getInt != nullptr && release != nullptr);
  void* settings = make();
  ASSERT_NE(settings, nullptr);
  int onDemand = -1;
  EXPECT_EQ(getInt(settings, "synth.dynamic-sample-loading", &onDemand), 0);
  EXPECT_EQ(onDemand, 1);
  release(settings);
}

struct SdlSoundDriver {
  static constexpr const char* lacksMissingFiles = nullptr;
  static constexpr const char* lacksJapanesePaths = nullptr;
  static constexpr const char* lacksUnknownAliasCode = nullptr;
  // Read when the first device opens the output.
  SdlSoundDriver() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  }
  SdlSoundService sound;
  quimbel::platform::SoundService& Service() { return sound; }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, SoundServiceConformance, SdlSoundDriver);
}  // namespace quimbel::conformance
