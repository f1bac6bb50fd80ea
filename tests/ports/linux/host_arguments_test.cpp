#include "ports/linux/hosting/host_arguments.hpp"

#include <gtest/gtest.h>

namespace quimbel::linux_port {
namespace {

HostedParse Parse(std::vector<std::string> rest, const char* env = nullptr) {
  rest.insert(rest.begin(), "quimbel");
  return ParseHostArguments(rest, env);
}

TEST(WindowId, ReadsHexAndDecimalAndRefusesTheRest) {
  EXPECT_EQ(ParseWindowId("0x1c00007"), 0x1c00007UL);
  EXPECT_EQ(ParseWindowId("0X1C00007"), 0x1c00007UL);
  EXPECT_EQ(ParseWindowId("29360135"), 29360135UL);
  EXPECT_EQ(ParseWindowId("0xFFFFFFFF"), 0xFFFFFFFFUL);
  for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0x1g", " 12", "0x100000000",
                          "99999999999999999999999"}) {
    EXPECT_FALSE(ParseWindowId(bad).has_value()) << bad;
  }
}

TEST(HostArguments, OurOwnCommandLineIsNotAHostedRun) {
  for (auto args : std::vector<std::vector<std::string>>{{}, {"/s"}, {"/p", "1234"}, {"/c:12"}}) {
    HostedParse parsed = Parse(args, "0x200001");
    EXPECT_FALSE(parsed.run.has_value());
    EXPECT_TRUE(parsed.error.empty());
  }
}

TEST(HostArguments, RootTakesTheDaemonsWindowOrTheRootWindow) {
  for (const char* flag : {"-root", "--root"}) {
    EXPECT_EQ(Parse({flag}, "0x200001").run->window, 0x200001UL);
    EXPECT_EQ(Parse({flag}, "2097153").run->window, 2097153UL);
    EXPECT_EQ(Parse({flag}).run->window, 0UL);  // 0: the root window
    EXPECT_EQ(Parse({flag}, "").run->window, 0UL);
  }
  HostedParse bad = Parse({"--root"}, "root");
  EXPECT_FALSE(bad.run.has_value());
  EXPECT_NE(bad.error.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

TEST(HostArguments, WindowIdInEverySpellingWinsOverTheEnvironment) {
  EXPECT_EQ(Parse({"-window-id", "0x400003"}, "0x200001").run->window, 0x400003UL);
  EXPECT_EQ(Parse({"--window-id", "4194307"}).run->window, 4194307UL);
  EXPECT_EQ(Parse({"--window-id=0x400003"}).run->window, 0x400003UL);
  EXPECT_EQ(Parse({"--root", "--window-id", "0x400003"}, "0x200001").run->window, 0x400003UL);
}

TEST(HostArguments, DaemonOptionsAroundTheWindowAreSkipped) {
  HostedParse parsed = Parse({"-install", "-visual", "default", "--root", "-fps"}, "0x55");
  ASSERT_TRUE(parsed.run.has_value());
  EXPECT_EQ(parsed.run->window, 0x55UL);
}

TEST(HostArguments, MissingOrMalformedIdIsAnErrorNotTheRootWindow) {
  for (auto args : std::vector<std::vector<std::string>>{
           {"--window-id"}, {"--window-id", "abc"}, {"--window-id=0"}, {"-window-id", "-1"}}) {
    HostedParse parsed = Parse(args, "0x200001");
    EXPECT_FALSE(parsed.run.has_value());
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace quimbel::linux_port
