// Reading the sound service's commands: the words, the keywords each verb
// takes, and the codes for what is wrong with a command.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sound_service.hpp"
#include "ports/linux/sound/midi_length.hpp"
#include "ports/linux/sound/sound_command.hpp"

using namespace quimbel::linux_port;
using namespace quimbel::platform;

namespace {

std::uint32_t ErrorOf(const char* text) {
  return ParseSoundCommand(text).error;
}

TEST(SoundCommandTest, ReadsTheProgramsOwnCommands) {
  ParsedSoundCommand open =
      ParseSoundCommand("open \"/home/a b/くいんべる/quimbel.mid\" alias bgm");
  ASSERT_EQ(open.error, kSoundOk);
  EXPECT_EQ(open.command.verb, SoundVerb::Open);
  EXPECT_EQ(open.command.element, "/home/a b/くいんべる/quimbel.mid");
  EXPECT_EQ(open.command.device, "bgm");
  EXPECT_EQ(DeviceTypeFor(open.command), DeviceType::Sequencer);

  ParsedSoundCommand play = ParseSoundCommand("play bgm notify");
  ASSERT_EQ(play.error, kSoundOk);
  EXPECT_EQ(play.command.verb, SoundVerb::Play);
  EXPECT_EQ(play.command.device, "bgm");
  EXPECT_TRUE(play.command.notify);

  ParsedSoundCommand status = ParseSoundCommand("status bgm mode");
  ASSERT_EQ(status.error, kSoundOk);
  EXPECT_EQ(status.command.item, StatusItem::Mode);

  ParsedSoundCommand seek = ParseSoundCommand("seek bgm to start");
  ASSERT_EQ(seek.error, kSoundOk);
  EXPECT_EQ(seek.command.seek, SeekTarget::Start);

  for (const char* text : {"stop bgm", "close bgm", "pause bgm", "resume bgm"})
    EXPECT_EQ(ErrorOf(text), kSoundOk) << text;
}

TEST(SoundCommandTest, KeywordsAndAliasesIgnoreCaseButPathsKeepIt) {
  ParsedSoundCommand open =
      ParseSoundCommand("  OPEN\t/Music/Tune.WAV  Type WaveAudio ALIAS Bgm shareable ");
  ASSERT_EQ(open.error, kSoundOk);
  EXPECT_EQ(open.command.element, "/Music/Tune.WAV");
  EXPECT_EQ(open.command.device, "bgm");
  EXPECT_EQ(open.command.type, "waveaudio");
  EXPECT_EQ(ParseSoundCommand("Status BGM Mode").command.device, "bgm");
  // Without an alias the device is known by its path.
  EXPECT_EQ(ParseSoundCommand("open /x/Y.mid").command.device, "/x/y.mid");
}

TEST(SoundCommandTest, DeviceTypeComesFromTheTypeOrTheExtension) {
  auto type = [](const char* text) { return DeviceTypeFor(ParseSoundCommand(text).command); };
  EXPECT_EQ(type("open a.MIDI"), DeviceType::Sequencer);
  EXPECT_EQ(type("open a.rmi"), DeviceType::Sequencer);
  EXPECT_EQ(type("open a.Wav"), DeviceType::WaveAudio);
  EXPECT_EQ(type("open a.ogg"), DeviceType::Unknown);
  EXPECT_EQ(type("open /dir.mid/tune"), DeviceType::Unknown)
      << "a dot in a directory is no extension";
  EXPECT_EQ(type("open C:\\dir.wav\\tune"), DeviceType::Unknown);
  EXPECT_EQ(type("open a.ogg type sequencer"), DeviceType::Sequencer);
  EXPECT_EQ(type("open a.mid type cdaudio"), DeviceType::Unknown);
}

TEST(SoundCommandTest, FaultyCommandsGetTheirCodes) {
  struct Case {
    const char* text;
    std::uint32_t code;
  };
  for (Case c : {
           Case{"", kSoundMissingCommandString},
           Case{"   ", kSoundMissingCommandString},
           Case{"dance bgm", kSoundUnrecognizedCommand},
           Case{"play", kSoundMissingDeviceName},
           Case{"open \"\" alias bgm", kSoundMissingDeviceName},
           Case{"open \"/a b/c.mid alias bgm", kSoundNoClosingQuote},
           Case{"open /a b/c.mid alias bgm", kSoundUnrecognizedKeyword},
           Case{"play bgm loudly", kSoundUnrecognizedKeyword},
           Case{"close bgm alias x", kSoundUnrecognizedKeyword},
           Case{"open a.mid alias", kSoundMissingStringArgument},
           Case{"open a.mid type", kSoundMissingStringArgument},
           Case{"open a.mid alias a alias b", kSoundDuplicateFlags},
           Case{"play bgm notify notify", kSoundDuplicateFlags},
           Case{"seek bgm", kSoundMissingParameter},
           Case{"seek bgm to", kSoundMissingStringArgument},
           Case{"seek bgm to 1000", kSoundUnsupportedFunction},
           Case{"seek bgm to start to end", kSoundDuplicateFlags},
           Case{"status bgm", kSoundMissingParameter},
           Case{"status bgm colour", kSoundUnrecognizedKeyword},
           Case{"status bgm mode length", kSoundFlagsNotCompatible},
       })
    EXPECT_EQ(ErrorOf(c.text), c.code) << "\"" << c.text << "\"";
}

TEST(SoundCommandTest, EveryCodeHasAText) {
  EXPECT_NE(SoundErrorText(kSoundFileNotFound), SoundErrorText(kSoundInvalidDeviceName));
  EXPECT_NE(SoundErrorText(12345).find("12345"), std::string::npos);
}

// A format-1 file at 480 ticks per quarter: the tempo track goes from 120 to
// 60 beats a minute after one beat; the note track ends after three beats.
std::vector<std::uint8_t> TwoTempoMidi() {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0,
          // tempo track: 500000 at 0, 1000000 at tick 480
          'M', 'T', 'r', 'k', 0, 0, 0, 19, 0x00, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20, 0x83, 0x60, 0xFF,
          0x51, 3, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00,
          // notes with running status; end of track at tick 1440
          'M', 'T', 'r', 'k', 0, 0, 0, 15, 0x00, 0xC0, 0x05, 0x00, 0x90, 0x3C, 0x64, 0x8B, 0x20,
          0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
}

TEST(MidiLengthTest, FollowsTheTempoMapToTheLastEvent) {
  std::vector<std::uint8_t> midi = TwoTempoMidi();
  std::optional<double> seconds = MidiLengthSeconds(midi);
  ASSERT_TRUE(seconds.has_value());
  EXPECT_DOUBLE_EQ(*seconds, 0.5 + 2 * 1.0);
}

TEST(MidiLengthTest, ReadsTheFileInsideARiffWrapper) {
  std::vector<std::uint8_t> midi = TwoTempoMidi();
  auto size = static_cast<std::uint8_t>(midi.size());
  std::vector<std::uint8_t> rmid = {'R', 'I', 'F', 'F', 0,   0,   0,    0, 'R', 'M', 'I',
                                    'D', 'L', 'I', 'S', 'T', 3,   0,    0, 0,   'a', 'b',
                                    'c', 0,   'd', 'a', 't', 'a', size, 0, 0,   0};
  rmid.insert(rmid.end(), midi.begin(), midi.end());
  std::optional<double> seconds = MidiLengthSeconds(rmid);
  ASSERT_TRUE(seconds.has_value());
  EXPECT_DOUBLE_EQ(*seconds, 2.5);
  rmid[28] = static_cast<std::uint8_t>(size + 1);
  EXPECT_FALSE(MidiLengthSeconds(rmid).has_value()) << "a chunk longer than the file";
}

TEST(MidiLengthTest, TimeCodeDivisionCountsFrames) {
  // 25 frames a second, 40 ticks a frame: 1000 ticks a second; end at 1500.
  std::vector<std::uint8_t> midi = {'M',  'T', 'h', 'd', 0,   0, 0, 6, 0, 0,    0,    1,    0xE7,
                                    0x28, 'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x8B, 0x5C, 0xFF, 0x2F};
  // The end-of-track event needs its length byte too.
  midi[21] = 5;
  midi.push_back(0x00);
  std::optional<double> seconds = MidiLengthSeconds(midi);
  ASSERT_TRUE(seconds.has_value());
  EXPECT_DOUBLE_EQ(*seconds, 1.5);
}

TEST(MidiLengthTest, DamagedFilesHaveNoLength) {
  std::vector<std::uint8_t> good = TwoTempoMidi();
  for (std::size_t cut : {0u, 4u, 13u, 20u, 30u, 50u})
    EXPECT_FALSE(MidiLengthSeconds(std::span(good).first(cut)).has_value()) << "cut at " << cut;
  std::vector<std::uint8_t> noRunning = good;
  noRunning[50] = 0x3C;  // a data byte where the first status should be
  EXPECT_FALSE(MidiLengthSeconds(noRunning).has_value());
  std::vector<std::uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(MidiLengthSeconds(wav).has_value());
}

}  // namespace
