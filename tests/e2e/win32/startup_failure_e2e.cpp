// A start-up that fails for want of memory, not for one of the program's own
// errors: on a desktop far larger than a 32-bit process can hold the saver's
// surfaces for, the run ends with the report and exit code 1, not silently.
// Needs the desktop that run-huge-desktop.sh sets up; skipped elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "driver.hpp"

using namespace e2e;

TEST(StartUpFailureE2e, MemoryThatCannotBeHadIsReportedAndEndsTheRunWithAFailure) {
  if (sizeof(void*) != 4 || GetSystemMetrics(SM_CXVIRTUALSCREEN) < 16000 ||
      GetSystemMetrics(SM_CYVIRTUALSCREEN) < 16000) {
    // A 64-bit build would get the memory, and fill gigabytes of it.
    GTEST_SKIP() << "needs the 32-bit build on a desktop of 16000 x 16000 pixels or more";
  }
  ClearSettings();
  StoreSetting("music mode", "0");
  Program program(L"/s");
  if (HWND box = WaitForProcessWindow(program.pid(), L"#32770", 5000)) {
    Pump(300);
    RECT r;
    GetWindowRect(box, &r);
    SaveShot(CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top), "report-no-memory");
  }
  std::string caption;
  std::string text = AnswerMessageBox(program.pid(), IDOK, &caption);
  EXPECT_NE(text.find("7"), std::string::npos) << text;
  EXPECT_NE(text.find("メモリが不足しています"), std::string::npos) << text;
  EXPECT_EQ(caption, "quimbel");
  ASSERT_TRUE(program.WaitForExit(5000));
  EXPECT_EQ(program.exitCode(), 1u);
  ClearSettings();
}
