// The Win32 process: the command line the core sees, the program directory,
// window lookup by title.
#include <gtest/gtest.h>
#include <windows.h>

#include "ports/win32/process.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/win32_test_window.hpp"

using namespace quimbel::win32_port;

TEST(Win32CommandLineTest, ArgumentsFollowTheProgramNameAsTheRuntimeSplitsThem) {
  struct Case {
    const wchar_t* full;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {L"quimbel.scr /s", L"/s"},
      {L"C:\\WINDOWS\\quimbel.scr /p 1234", L"/p 1234"},
      {L"\"C:\\Program Files\\q\\quimbel.scr\" /c:1234", L"/c:1234"},
      // The name runs on to the first blank outside quotes.
      {L"\"C:\\Program Files\\q\\quimbel.scr\"/s", L""},
      {L"quimbel.scr", L""},
      {L"\"C:\\a b\\quimbel.scr\"", L""},
      {L"quimbel.scr   \t /p 12 34  ", L"/p 12 34  "},  // trailing blanks are the host's
      {L"quimbel.scr /P\t1", L"/P\t1"},
      {L"", L""},
      {L"\"unterminated quote /s", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentsAfterProgramName(c.full), std::wstring_view(c.arguments)) << Narrow(c.full);
  }
}

TEST(Win32CommandLineTest, OwnCommandLineReachesTheCoreAsUtf8) {
  Win32Process process;
  // The test runner starts us without arguments or with GoogleTest's own.
  std::string line = process.CommandLine();
  EXPECT_EQ(Widen(line), std::wstring(ArgumentsAfterProgramName(GetCommandLineW())));
}

TEST(Win32ProcessTest, DirectoryOfKeepsOnlyARootsSeparator) {
  EXPECT_EQ(DirectoryOf(L"C:\\Program Files\\q\\quimbel.scr"), L"C:\\Program Files\\q");
  EXPECT_EQ(DirectoryOf(L"C:\\quimbel.scr"), L"C:\\");
  EXPECT_EQ(DirectoryOf(L"\\\\server\\share\\quimbel.scr"), L"\\\\server\\share");
  EXPECT_EQ(DirectoryOf(L"Z:/tmp/quimbel.scr"), L"Z:/tmp");
}

TEST(Win32ProcessTest, ExecutableDirectoryHoldsTheRunningProgram) {
  Win32Process process;
  std::string dir = process.ExecutableDirectory();
  ASSERT_FALSE(dir.empty());
  std::wstring exe = Widen(dir);
  if (exe.back() != L'\\')
    exe += L'\\';
  exe += L"quimbel_port_tests.exe";
  EXPECT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << dir;
  EXPECT_EQ(process.PathSeparator(), '\\');
}

TEST(Win32ProcessTest, FindsTopLevelWindowsByExactJapaneseTitle) {
  Win32Process process;
  const std::string title = "くいんべる　テスト窓";
  EXPECT_FALSE(process.TopLevelWindowExists(title));
  {
    TestWindow window(Widen(title), 10, 10, 120, 80);
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_TRUE(process.TopLevelWindowExists(title));
    EXPECT_FALSE(process.TopLevelWindowExists("くいんべる　テスト"));
    EXPECT_FALSE(process.TopLevelWindowExists(title + " "));
  }
  EXPECT_FALSE(process.TopLevelWindowExists(title));
}
