// What the Linux sound service reads from a tune file before it plays it:
// its kind, and a MIDI file's length.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "ports/linux/sound/midi_length.hpp"
#include "ports/linux/sound/sound_service.hpp"

using namespace quimbel::linux_port;

namespace {

// The mixer's device is chosen by the file's extension alone.
TEST(TuneKindTest, ComesFromTheExtensionOfTheFileName) {
  EXPECT_EQ(TuneKindOf("/home/a b/くいんべる/quimbel.mid"), TuneKind::Midi);
  EXPECT_EQ(TuneKindOf("a.MIDI"), TuneKind::Midi);
  EXPECT_EQ(TuneKindOf("a.rmi"), TuneKind::Midi);
  EXPECT_EQ(TuneKindOf("a.Wav"), TuneKind::Wave);
  EXPECT_EQ(TuneKindOf("a.ogg"), TuneKind::Unknown);
  EXPECT_EQ(TuneKindOf("/dir.mid/tune"), TuneKind::Unknown)
      << "a dot in a directory is no extension";
  EXPECT_EQ(TuneKindOf("C:\\dir.wav\\tune"), TuneKind::Unknown);
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

// The service loops the shipped tune at this length, not at the ring after it.
TEST(MidiLengthTest, TheShippedTuneLastsNineSeconds) {
  // ctest names the sources; __FILE__ is relative when the compiler cache
  // rewrites paths.
  const char* source = std::getenv("QUIMBEL_SOURCE_DIR");
  std::filesystem::path root =
      source != nullptr
          ? std::filesystem::path(source)
          : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
  std::ifstream in(root / "assets" / "quimbel.mid", std::ios::binary);
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  std::optional<double> seconds = MidiLengthSeconds(data);
  ASSERT_TRUE(seconds.has_value());
  EXPECT_NEAR(*seconds, 9.0, 0.0005);
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
