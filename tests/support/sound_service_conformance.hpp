#pragma once
// What every sound service promises the core, written once and run against
// each port's service. The core opens "<program folder>tune" in quotes under
// the alias bgm, plays it with notify, polls "status bgm mode" into an
// 80-character buffer and restarts the tune (seek to start, play) whenever
// the answer is not "playing", asks the tune's length and position (whole
// milliseconds) to know how long it may sleep, stops and closes it at the end, and shows
// ErrorText(code) when one of its commands fails. A failing open only makes
// the saver run silent, so no exact code for it is required.
//
// The driver is default-constructible and has Service() (ready, nothing
// open). A capability the port lacks is a non-null reason, which skips the
// check: lacksMissingFiles (opens names without looking for the file),
// lacksJapanesePaths, lacksUnknownAliasCode (answers a closed alias with
// another failure than kSoundInvalidDeviceName).
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Port, SoundServiceConformance, PortDriver);
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sound_service.hpp"

namespace quimbel::conformance {

namespace fs = std::filesystem;

inline void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A steady 440 Hz tone, mono 16-bit at 22050 Hz.
inline void WriteToneWav(const fs::path& path, double seconds) {
  const std::uint32_t rate = 22050;
  const auto frames = static_cast<std::uint32_t>(seconds * rate);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  PutLittleEndian(out, 36 + frames * 2, 4);
  out.write("WAVEfmt ", 8);
  PutLittleEndian(out, 16, 4);
  PutLittleEndian(out, 1, 2);  // plain samples
  PutLittleEndian(out, 1, 2);  // one channel
  PutLittleEndian(out, rate, 4);
  PutLittleEndian(out, rate * 2, 4);
  PutLittleEndian(out, 2, 2);
  PutLittleEndian(out, 16, 2);
  out.write("data", 4);
  PutLittleEndian(out, frames * 2, 4);
  for (std::uint32_t i = 0; i < frames; ++i)
    PutLittleEndian(out,
                    static_cast<std::uint16_t>(static_cast<std::int16_t>(
                        12000 * std::sin(2 * 3.14159265358979 * 440 * i / rate))),
                    2);
}

// One organ note held for the whole tune (120 beats a minute, 480 ticks a beat).
inline void WriteHeldNoteMidi(const fs::path& path, std::uint32_t ticks) {
  std::vector<std::uint8_t> track = {0x00, 0xC0, 0x13, 0x00, 0x90, 0x45, 0x70};
  std::vector<std::uint8_t> delta;
  for (std::uint32_t v = ticks;; v >>= 7) {
    delta.insert(delta.begin(), static_cast<std::uint8_t>((v & 0x7F) | (delta.empty() ? 0 : 0x80)));
    if (v < 0x80)
      break;
  }
  track.insert(track.end(), delta.begin(), delta.end());
  track.insert(track.end(), {0x80, 0x45, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  std::ofstream out(path, std::ios::binary);
  out.write("MThd\0\0\0\6\0\0\0\1\1\xE0", 14);
  out.write("MTrk", 4);
  for (int shift : {24, 16, 8, 0})
    out.put(static_cast<char>((track.size() >> shift) & 0xFF));
  out.write(reinterpret_cast<const char*>(track.data()),
            static_cast<std::streamsize>(track.size()));
}

// Commands carry paths as UTF-8 whatever the platform's own path encoding.
inline std::string Utf8(const fs::path& path) {
  std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

// A fresh folder for the running test, with blanks and accents in its name.
inline fs::path TestFolder(const char8_t* name) {
  const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
  fs::path dir = fs::temp_directory_path() / fs::path(name);
  dir += std::to_string(unit.random_seed()) + " " + unit.current_test_info()->name();
  fs::create_directories(dir);
  return dir;
}

template <class Driver>
class SoundServiceConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = TestFolder(u8"quimbel sound été ");
    WriteToneWav(dir / "tune.wav", 0.5);
    WriteHeldNoteMidi(dir / "tune.mid", 1920);  // two seconds
  }
  void TearDown() override {
    Send("close bgm");
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  std::uint32_t Send(const std::string& command) { return sound.Send(command, nullptr, 0); }
  std::string OpenCommand(const fs::path& file) { return "open \"" + Utf8(file) + "\" alias bgm"; }
  // The answer as the core reads it: up to the NUL.
  std::string Mode(const char* command = "status bgm mode") {
    std::string reply(80, ' ');
    EXPECT_EQ(sound.Send(command, &reply, 80), platform::kSoundOk) << command;
    return reply.substr(0, reply.find('\0'));
  }
  long Ms(const char* command) {
    std::string reply = Mode(command);
    EXPECT_TRUE(!reply.empty() && reply.find_first_not_of("0123456789") == std::string::npos)
        << command << ": \"" << reply << "\"";
    return reply.empty() ? -1 : std::atol(reply.c_str());
  }
  void ExpectNotOpen(const char* command) {
    std::uint32_t code = Send(command);
    EXPECT_NE(code, platform::kSoundOk) << command;
    if (driver.lacksUnknownAliasCode == nullptr) {
      EXPECT_EQ(code, platform::kSoundInvalidDeviceName) << command;
    }
  }

  Driver driver;
  platform::SoundService& sound = driver.Service();
  fs::path dir;
};

TYPED_TEST_SUITE_P(SoundServiceConformance);

// The program folder often holds blanks; quoted, they stay in the path.
TYPED_TEST_P(SoundServiceConformance, BothKindsOfTuneOpenFromAQuotedPathWithBlanksAndAccents) {
  for (const char* name : {"tune.wav", "tune.mid"}) {
    ASSERT_EQ(this->Send(this->OpenCommand(this->dir / name)), platform::kSoundOk) << name;
    EXPECT_EQ(this->Mode(), "stopped") << name;
    EXPECT_EQ(this->Send("close bgm"), platform::kSoundOk) << name;
  }
}

TYPED_TEST_P(SoundServiceConformance, AJapanesePathOpens) {
  if (const char* reason = this->driver.lacksJapanesePaths)
    GTEST_SKIP() << reason;
  fs::path japanese = this->dir / fs::path(u8"くいんべる");
  fs::create_directories(japanese);
  WriteHeldNoteMidi(japanese / "quimbel.mid", 960);
  ASSERT_EQ(this->Send(this->OpenCommand(japanese / "quimbel.mid")), platform::kSoundOk);
  EXPECT_EQ(this->Mode(), "stopped");
}

TYPED_TEST_P(SoundServiceConformance, KeywordsAndAliasesIgnoreLetterCase) {
  ASSERT_EQ(this->Send("OPEN \"" + Utf8(this->dir / "tune.mid") + "\" ALIAS Bgm"),
            platform::kSoundOk);
  EXPECT_EQ(this->Mode("Status BGM MODE"), "stopped");
  EXPECT_EQ(this->Send("CLOSE bgm"), platform::kSoundOk);
  this->ExpectNotOpen("status bgm mode");
}

// The caller fills its buffer beforehand and reads up to the NUL.
TYPED_TEST_P(SoundServiceConformance, TheReplyLandsAtTheStartOfTheCallersBuffer) {
  ASSERT_EQ(this->Send(this->OpenCommand(this->dir / "tune.wav")), platform::kSoundOk);
  std::string reply(20, '#');
  ASSERT_EQ(this->sound.Send("status bgm mode", &reply, 20), platform::kSoundOk);
  EXPECT_EQ(reply, std::string("stopped\0############", 20)) << "the rest is kept";
  std::string exact(8, '#');
  EXPECT_EQ(this->sound.Send("status bgm mode", &exact, 8), platform::kSoundOk);
  EXPECT_EQ(exact, std::string("stopped\0", 8));
  std::string small(7, '#');
  EXPECT_EQ(this->sound.Send("status bgm mode", &small, 7), platform::kSoundParamOverflow);
  EXPECT_EQ(small, "#######") << "an answer that does not fit writes nothing";
}

// What the poll does: "playing" until the end, then back to the start and on.
TYPED_TEST_P(SoundServiceConformance, PlayStopAndReplayShowInTheMode) {
  ASSERT_EQ(this->Send(this->OpenCommand(this->dir / "tune.mid")), platform::kSoundOk);
  ASSERT_EQ(this->Send("play bgm notify"), platform::kSoundOk);
  EXPECT_EQ(this->Mode(), "playing");
  EXPECT_EQ(this->Send("stop bgm"), platform::kSoundOk);
  EXPECT_EQ(this->Mode(), "stopped");
  EXPECT_EQ(this->Send("seek bgm to start"), platform::kSoundOk);
  ASSERT_EQ(this->Send("play bgm notify"), platform::kSoundOk);
  EXPECT_EQ(this->Mode(), "playing");
  EXPECT_EQ(this->Send("stop bgm"), platform::kSoundOk);
  EXPECT_EQ(this->Send("close bgm"), platform::kSoundOk);
  // The next start opens the same alias again.
  EXPECT_EQ(this->Send(this->OpenCommand(this->dir / "tune.mid")), platform::kSoundOk);
}

// The poll sleeps by these until shortly before the tune's end.
TYPED_TEST_P(SoundServiceConformance, LengthAndPositionAreWholeMilliseconds) {
  ASSERT_EQ(this->Send(this->OpenCommand(this->dir / "tune.mid")), platform::kSoundOk);
  const long length = this->Ms("status bgm length");
  EXPECT_NEAR(length, 2000, 50) << "one note held for two seconds";
  EXPECT_EQ(this->Ms("status bgm position"), 0);
  ASSERT_EQ(this->Send("play bgm notify"), platform::kSoundOk);
  const long playing = this->Ms("Status bgm POSITION");
  EXPECT_GE(playing, 0);
  EXPECT_LE(playing, length);
  EXPECT_EQ(this->Send("stop bgm"), platform::kSoundOk);
  EXPECT_EQ(this->Send("seek bgm to start"), platform::kSoundOk);
  EXPECT_EQ(this->Ms("status bgm position"), 0);
  EXPECT_EQ(this->Ms("status bgm length"), length);
}

TYPED_TEST_P(SoundServiceConformance, CommandsOnAnAliasThatIsNotOpenFail) {
  for (const char* command : {"status bgm mode", "status bgm length", "play bgm notify",
                              "seek bgm to start", "stop bgm", "close bgm"})
    this->ExpectNotOpen(command);
  std::string reply(80, '#');
  EXPECT_NE(this->sound.Send("status bgm mode", &reply, 80), platform::kSoundOk);
  EXPECT_EQ(reply, std::string(80, '#')) << "a failure writes no answer";
}

TYPED_TEST_P(SoundServiceConformance, OpeningAnAliasTwiceIsRefusedAndKeepsTheFirst) {
  ASSERT_EQ(this->Send(this->OpenCommand(this->dir / "tune.mid")), platform::kSoundOk);
  EXPECT_EQ(this->Send(this->OpenCommand(this->dir / "tune.wav")), platform::kSoundDuplicateAlias);
  ASSERT_EQ(this->Send("play bgm notify"), platform::kSoundOk);
  EXPECT_EQ(this->Mode(), "playing");
}

TYPED_TEST_P(SoundServiceConformance, AMissingFileFailsAndOpensNothing) {
  if (const char* reason = this->driver.lacksMissingFiles)
    GTEST_SKIP() << reason;
  EXPECT_NE(this->Send(this->OpenCommand(this->dir / "missing.mid")), platform::kSoundOk);
  this->ExpectNotOpen("status bgm mode");
}

// The core shows these words in a message box when a command fails.
TYPED_TEST_P(SoundServiceConformance, EveryFailureHasWordsForTheReport) {
  using namespace platform;
  for (std::uint32_t code :
       {kSoundUnrecognizedKeyword, kSoundUnrecognizedCommand, kSoundHardware,
        kSoundInvalidDeviceName, kSoundMissingCommandString, kSoundParamOverflow,
        kSoundMissingStringArgument, kSoundMissingParameter, kSoundUnsupportedFunction,
        kSoundFileNotFound, kSoundExtensionNotFound, kSoundFlagsNotCompatible, kSoundDuplicateAlias,
        kSoundMissingDeviceName, kSoundNoClosingQuote, kSoundDuplicateFlags, kSoundInvalidFile,
        123456u})
    EXPECT_FALSE(this->sound.ErrorText(code).empty()) << code;
  std::uint32_t code = this->Send("dance bgm");
  EXPECT_NE(code, kSoundOk) << "an unknown verb";
  EXPECT_FALSE(this->sound.ErrorText(code).empty());
}

REGISTER_TYPED_TEST_SUITE_P(SoundServiceConformance,
                            BothKindsOfTuneOpenFromAQuotedPathWithBlanksAndAccents,
                            AJapanesePathOpens, KeywordsAndAliasesIgnoreLetterCase,
                            TheReplyLandsAtTheStartOfTheCallersBuffer,
                            PlayStopAndReplayShowInTheMode, LengthAndPositionAreWholeMilliseconds,
                            CommandsOnAnAliasThatIsNotOpenFail,
                            OpeningAnAliasTwiceIsRefusedAndKeepsTheFirst,
                            AMissingFileFailsAndOpensNothing, EveryFailureHasWordsForTheReport);

}  // namespace quimbel::conformance
