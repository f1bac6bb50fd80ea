// The host's command line: which run, and which handle.
#include <gtest/gtest.h>

#include "app/command_line.hpp"
#include "base/runtime_error.hpp"

using quimbel::app::ParseCommandLine;
using quimbel::app::RunMode;

TEST(CommandLineTest, SwitchChoosesTheRun) {
  struct Case {
    const char* line;
    RunMode mode;
  };
  const Case cases[] = {
      {"", RunMode::Configure},   {"    ", RunMode::Configure},    {"/c", RunMode::Configure},
      {"/C", RunMode::Configure}, {"/c:1234", RunMode::Configure}, {"  /c", RunMode::Configure},
      {"/s", RunMode::Saver},     {"/S", RunMode::Saver},          {"/S:1", RunMode::Saver},
      {"/sx", RunMode::Saver},    {" /s", RunMode::Saver},         {"/p 1234", RunMode::Preview},
      {"/P:1", RunMode::Preview}, {"-s", RunMode::None},           {"/a", RunMode::None},
      {"s", RunMode::None},       {"\t/s", RunMode::None},  // only spaces are trimmed
      {"/", RunMode::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseCommandLine(c.line).mode, c.mode) << '"' << c.line << '"';
  }
}

TEST(CommandLineTest, HandleIsReadFromTheFourthCharacter) {
  EXPECT_EQ(ParseCommandLine("/p 1234").handle, 1234);
  EXPECT_EQ(ParseCommandLine("/p:1234").handle, 1234);
  EXPECT_EQ(ParseCommandLine(" /p 1234").handle, 1234);  // the 4th character is the blank
  EXPECT_EQ(ParseCommandLine("/p1234").handle, 234);     // the 3rd character is never read
  EXPECT_EQ(ParseCommandLine("/p 12 34").handle, 1234);
  EXPECT_EQ(ParseCommandLine("/p").handle, 0);
  EXPECT_EQ(ParseCommandLine("/p &H10").handle, 16);
  EXPECT_EQ(ParseCommandLine("/p 2.5").handle, 2);
  EXPECT_EQ(ParseCommandLine("/p 3.5").handle, 4);
  EXPECT_EQ(ParseCommandLine("/p -2147483648").handle, -2147483648LL);
  EXPECT_EQ(ParseCommandLine("/c:1234").handle, 1234);
}

TEST(CommandLineTest, HandleOutsideThirtyTwoBitsOverflowsWhateverTheSwitch) {
  for (const char* line : {"/p 2147483648", "/c 99999999999", "/s -2147483649", "-s 1e10"}) {
    try {
      ParseCommandLine(line);
      ADD_FAILURE() << line << " did not overflow";
    } catch (const quimbel::base::RuntimeError& e) {
      EXPECT_EQ(e.Number(), quimbel::base::kOverflow) << line;
    }
  }
}
