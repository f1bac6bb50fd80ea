// winmm's command strings through the port: wide paths arrive whole, replies
// land in the caller's buffer, and failures have the service's own words.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/program.hpp"
#include "platform/sound_service.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ports/win32/sound_service.hpp"
#include "ports/win32/unicode.hpp"
#include "sound/music.hpp"
#include "support/sound_service_conformance.hpp"

using namespace quimbel::win32_port;
using namespace quimbel::platform;
namespace fs = std::filesystem;

namespace {

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Under Wine the drivers narrow the file name to the ANSI code page, losing
// what it cannot hold, and a closed alias is an unknown device type.
struct WinmmSoundDriver {
  static constexpr const char* lacksMissingFiles = nullptr;
  const char* lacksJapanesePaths =
      UnderWine() ? "the sound drivers under Wine cannot open a Japanese path" : nullptr;
  const char* lacksUnknownAliasCode =
      UnderWine() ? "Wine answers a closed alias with 281, not 263" : nullptr;
  WinmmSoundService sound;
  quimbel::platform::SoundService& Service() { return sound; }
};

class WinmmSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = quimbel::conformance::TestFolder(u8"quimbel sound été ");
    quimbel::conformance::WriteHeldNoteMidi(dir_ / "tune.mid", 960);
    quimbel::conformance::WriteToneWav(dir_ / "tune.wav", 0.1);
  }
  void TearDown() override {
    service_.Send("close all", nullptr, 0);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path dir_;
  WinmmSoundService service_;
};

TEST_F(WinmmSoundTest, ACodeTheServiceHasNoWordsForGetsPlainOnes) {
  EXPECT_EQ(service_.ErrorText(123456), "MCI error 123456");
}

// The program's own commands against the real service: whether the tune can
// play or not (no sound device under Wine), nothing ever asks the user.
TEST_F(WinmmSoundTest, TheBackgroundTuneNeverShowsAFailure) {
  quimbel::headless::HeadlessPlatform port;
  quimbel::platform::Platform platform{port.process, port.screen, port.store,
                                       port.random,  service_,    port.previews,
                                       port.savers,  port.forms,  port.messageBoxes};
  namespace sound = quimbel::sound;
  for (int musicMode : {1, 2}) {
    for (bool fileThere : {false, true}) {
      fs::remove(dir_ / L"quimbel.mid");
      fs::remove(dir_ / L"quimbel.wav");
      if (fileThere) {
        fs::copy_file(dir_ / L"tune.mid", dir_ / L"quimbel.mid");
        fs::copy_file(dir_ / L"tune.wav", dir_ / L"quimbel.wav");
      }
      quimbel::app::Program program(platform);
      program.run.AppPath = Narrow(dir_.wstring()) + "\\";
      program.settings.MusicMode = musicMode;
      sound::PlayMusic(program, sound::MusicStart);
      if (!fileThere) {
        EXPECT_EQ(program.music.BgmActive, 0) << "mode " << musicMode;
      } else if (musicMode == 2) {
        EXPECT_EQ(program.music.BgmActive, -1) << "the sequencer plays";
      }
      for (int i = 0; i < 3; ++i)
        sound::PlayMusic(program, sound::MusicPoll);
      sound::PlayMusic(program, sound::MusicStop);
      EXPECT_NE(service_.Send("status bgm mode", nullptr, 0), kSoundOk) << "closed at the end";
    }
  }
  EXPECT_TRUE(port.messageBoxes.shown.empty());
}

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SoundServiceConformance, WinmmSoundDriver);
}  // namespace quimbel::conformance
