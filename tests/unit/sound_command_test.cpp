// The ports' one reader of the sound commands: exactly what the core sends,
// and the codes for everything else.
#include "ports/common/sound_command.hpp"

#include <gtest/gtest.h>

#include "platform/sound_service.hpp"

using namespace quimbel::ports;
using namespace quimbel::platform;

namespace {

TEST(SoundCommandTest, ReadsEveryCommandTheCoreSends) {
  ParsedSoundCommand open = ReadSoundCommand("open \"/home/a b/くいんべる/quimbel.mid\" alias bgm");
  ASSERT_EQ(open.error, kSoundOk);
  EXPECT_EQ(open.command.verb, SoundVerb::Open);
  EXPECT_EQ(open.command.path, "/home/a b/くいんべる/quimbel.mid");
  EXPECT_EQ(open.command.alias, "bgm");
  struct Case {
    const char* text;
    SoundVerb verb;
  };
  for (Case c :
       {Case{"play bgm notify", SoundVerb::Play}, Case{"status bgm mode", SoundVerb::Status},
        Case{"seek bgm to start", SoundVerb::Seek}, Case{"stop bgm", SoundVerb::Stop},
        Case{"close bgm", SoundVerb::Close}}) {
    ParsedSoundCommand parsed = ReadSoundCommand(c.text);
    ASSERT_EQ(parsed.error, kSoundOk) << c.text;
    EXPECT_EQ(parsed.command.verb, c.verb) << c.text;
    EXPECT_EQ(parsed.command.alias, "bgm") << c.text;
    EXPECT_EQ(SoundVerbName(c.verb),
              std::string_view(c.text).substr(0, SoundVerbName(c.verb).size()));
  }
}

TEST(SoundCommandTest, WordsIgnoreLetterCaseAndBlanksButPathsKeepThem) {
  ParsedSoundCommand open = ReadSoundCommand("  OPEN\t/Music/Tune.WAV  ALIAS Bgm ");
  ASSERT_EQ(open.error, kSoundOk);
  EXPECT_EQ(open.command.path, "/Music/Tune.WAV");
  EXPECT_EQ(open.command.alias, "bgm");
  EXPECT_EQ(ReadSoundCommand("Status BGM Mode").command.alias, "bgm");
  EXPECT_EQ(ReadSoundCommand("Seek Bgm TO START").error, kSoundOk);
  EXPECT_EQ(ReadSoundCommand("status bgm MODE").command.item, StatusItem::Mode);
  EXPECT_EQ(ReadSoundCommand("status bgm Length").command.item, StatusItem::Length);
  EXPECT_EQ(ReadSoundCommand("STATUS bgm position").command.item, StatusItem::Position);
}

// Commands the core never sends are refused, each with the code the Windows
// service gives for the same fault.
TEST(SoundCommandTest, EverythingElseGetsItsCode) {
  struct Case {
    const char* text;
    std::uint32_t code;
  };
  for (Case c : {
           Case{"", kSoundMissingCommandString},
           Case{"   ", kSoundMissingCommandString},
           Case{"dance bgm", kSoundUnrecognizedCommand},
           Case{"pause bgm", kSoundUnrecognizedCommand},
           Case{"resume bgm", kSoundUnrecognizedCommand},
           Case{"play", kSoundMissingDeviceName},
           Case{"open \"\" alias bgm", kSoundMissingDeviceName},
           Case{"open \"/a b/c.mid alias bgm", kSoundNoClosingQuote},
           Case{"status \"bgm mode", kSoundNoClosingQuote},
           Case{"open /a b/c.mid alias bgm", kSoundUnrecognizedKeyword},
           Case{"open a.mid type sequencer alias bgm", kSoundUnrecognizedKeyword},
           Case{"play bgm wait", kSoundUnrecognizedKeyword},
           Case{"close bgm alias x", kSoundUnrecognizedKeyword},
           Case{"stop bgm notify", kSoundUnrecognizedKeyword},
           Case{"status bgm ready", kSoundUnrecognizedKeyword},
           Case{"status bgm mode length", kSoundFlagsNotCompatible},
           Case{"open a.mid", kSoundMissingParameter},
           Case{"open a.mid alias", kSoundMissingStringArgument},
           Case{"open a.mid alias \"\"", kSoundMissingStringArgument},
           Case{"open a.mid alias a alias b", kSoundDuplicateFlags},
           Case{"play bgm notify notify", kSoundDuplicateFlags},
           Case{"status bgm mode mode", kSoundDuplicateFlags},
           Case{"seek bgm", kSoundMissingParameter},
           Case{"seek bgm to", kSoundMissingStringArgument},
           Case{"seek bgm to end", kSoundUnsupportedFunction},
           Case{"seek bgm to 1000", kSoundUnsupportedFunction},
           Case{"seek bgm to start to start", kSoundDuplicateFlags},
           Case{"status bgm", kSoundMissingParameter},
       })
    EXPECT_EQ(ReadSoundCommand(c.text).error, c.code) << "\"" << c.text << "\"";
}

}  // namespace
