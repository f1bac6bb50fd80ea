// winmm's command strings through the port: wide paths arrive whole, replies
// land in the caller's buffer, and failures have the service's own words.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/program.hpp"
#include "platform/sound_service.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ports/win32/sound_service.hpp"
#include "ports/win32/unicode.hpp"
#include "sound/music.hpp"

using namespace quimbel::win32_port;
using namespace quimbel::platform;
namespace fs = std::filesystem;

namespace {

class WinmmSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / L"quimbel sound \u00e9t\u00e9";
    WriteTune(dir_);
  }
  static void WriteTune(const fs::path& dir) {
    fs::create_directories(dir);
    // One note, a second long: enough for the sequencer to open and play.
    const unsigned char midi[] = {'M',  'T',  'h',  'd',  0,   0,    0,    6,    0,    0,
                                  0,    1,    1,    0xE0, 'M', 'T',  'r',  'k',  0,    0,
                                  0,    16,   0,    0xC0, 0,   0,    0x90, 0x45, 0x60, 0x87,
                                  0x40, 0x80, 0x45, 0x40, 0,   0xFF, 0x2F, 0};
    std::ofstream(dir / L"tune.mid", std::ios::binary)
        .write(reinterpret_cast<const char*>(midi), sizeof midi);
    // A tenth of a second of silence, mono 16-bit at 22050 Hz.
    const unsigned char wavHeader[] = {'R', 'I', 'F',  'F',  0x4C, 0x11, 0,    0,    'W',  'A', 'V',
                                       'E', 'f', 'm',  't',  ' ',  16,   0,    0,    0,    1,   0,
                                       1,   0,   0x22, 0x56, 0,    0,    0x44, 0xAC, 0,    0,   2,
                                       0,   16,  0,    'd',  'a',  't',  'a',  0x28, 0x11, 0,   0};
    std::ofstream wav(dir / L"tune.wav", std::ios::binary);
    wav.write(reinterpret_cast<const char*>(wavHeader), sizeof wavHeader);
    wav.write(std::string(0x1128, '\0').data(), 0x1128);
  }
  void TearDown() override {
    service_.Send("close all", nullptr, 0);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const wchar_t* name) { return Narrow((dir_ / name).wstring()); }
  static bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }

  fs::path dir_;
  WinmmSoundService service_;
};

// A narrow call would turn the accented letters into two characters each.
TEST_F(WinmmSoundTest, AQuotedPathWithBlanksAndAccentsOpens) {
  ASSERT_NE(Path(L"tune.mid").find("été"), std::string::npos);
  EXPECT_EQ(service_.Send("open \"" + Path(L"missing.mid") + "\" alias bgm", nullptr, 0),
            kSoundFileNotFound);
  EXPECT_NE(service_.Send("open " + Path(L"tune.mid") + " alias bgm", nullptr, 0), kSoundOk)
      << "unquoted, the blank cuts the path";
  ASSERT_EQ(service_.Send("open \"" + Path(L"tune.mid") + "\" alias bgm", nullptr, 0), kSoundOk);

  std::string reply(80, ' ');
  ASSERT_EQ(service_.Send("status bgm mode", &reply, 80), kSoundOk);
  std::size_t end = reply.find('\0');
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(reply.substr(0, end), "stopped");
  EXPECT_EQ(reply.substr(end + 1), std::string(80 - end - 1, ' ')) << "the rest stays blank";
  EXPECT_EQ(service_.Send("close bgm", nullptr, 0), kSoundOk);
}

TEST_F(WinmmSoundTest, AJapanesePathOpens) {
  // Wine's drivers narrow the file name to the ANSI code page and lose what
  // it cannot hold; Windows passes it whole.
  if (UnderWine())
    GTEST_SKIP() << "the sound drivers under Wine cannot open a Japanese path";
  fs::path dir = fs::temp_directory_path() / L"quimbel \u304f\u3044\u3093\u3079\u308b";
  WriteTune(dir);
  std::string path = Narrow((dir / L"tune.mid").wstring());
  EXPECT_EQ(service_.Send("open \"" + path + "\" alias bgm", nullptr, 0), kSoundOk);
  service_.Send("close bgm", nullptr, 0);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

TEST_F(WinmmSoundTest, FailuresHaveTheServicesWordsForTheReport) {
  std::uint32_t code = service_.Send("seek bgm to start", nullptr, 0);
  EXPECT_NE(code, kSoundOk) << "no such device";
  EXPECT_FALSE(service_.ErrorText(code).empty());
  EXPECT_EQ(service_.ErrorText(123456), "MCI error 123456")
      << "a code the service has no words for";
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
