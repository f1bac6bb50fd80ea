// The Linux process pieces that start-up relies on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ports/linux/qt/process.hpp"
#include "ports/linux/x11/x11_windows.hpp"

using namespace quimbel::linux_port;

TEST(LinuxProcessTest, ArgumentsJoinIntoTheHostsCommandLine) {
  EXPECT_EQ(JoinArguments({"quimbel"}), "");
  EXPECT_EQ(JoinArguments({"quimbel", "/s"}), "/s");
  EXPECT_EQ(JoinArguments({"quimbel", "/p", "1234"}), "/p 1234");
  EXPECT_EQ(JoinArguments({"quimbel", "/c:99"}), "/c:99");
}

TEST(LinuxProcessTest, ExecutableDirectoryIsWhereTheTestRuns) {
  LinuxProcess process({"x"});
  std::string dir = process.ExecutableDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.front(), '/');
  EXPECT_NE(dir.back(), '/');
}

TEST(LinuxProcessTest, WithoutADisplayNoWindowIsFound) {
  const char* old = std::getenv("DISPLAY");
  std::string saved = old ? old : "";
  setenv("DISPLAY", ":987", 1);  // no server there
  EXPECT_FALSE(X11TopLevelWindowExists("Saver Setting"));
  if (old) {
    setenv("DISPLAY", saved.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}
