// Several monitors: "/s" covers the whole virtual screen with one scene over
// the snapshot of both monitors, a one-pixel move over the monitor left of the
// primary ends it, and "/c" centres its dialog on the primary. Needs a desktop
// of two monitors side by side (run-monitors.sh sets one up); with one monitor
// these tests are skipped. (The dpi awareness cannot be checked here: Wine 8
// reports every window per-monitor aware, declared or not.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "driver.hpp"
#include "windows_e2e.hpp"

using namespace e2e;

namespace {

constexpr COLORREF kLeftBackdrop = RGB(255, 128, 0);
constexpr COLORREF kPrimaryBackdrop = RGB(0, 96, 255);

// The share of sampled pixels of the shot's columns [from, to) that show colour.
double Share(const Shot& shot, int from, int to, COLORREF colour) {
  int same = 0, total = 0;
  for (int y = 0; y < shot.height; y += 8) {
    for (int x = from; x < to; x += 8, ++total)
      same += shot.At(x, y) == Rgb(colour);
  }
  return total ? static_cast<double>(same) / total : 0;
}

RECT VirtualScreen() {
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class MonitorsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = VirtualScreen();
    if (desktop.left >= 0)
      GTEST_SKIP() << "needs a monitor left of the primary";
    ClearSettings();
    StoreSetting("music mode", "0");
  }
  void TearDown() override { ClearSettings(); }
  RECT desktop{};
};

TEST_F(MonitorsE2e, TheSaverCoversEveryMonitorWithOneScene) {
  StoreSetting("saver type", "3");
  StoreSetting("number of cara", "50");
  const int width = desktop.right - desktop.left;
  const int height = desktop.bottom - desktop.top;
  HostWindow left(L"backdrop left monitor", desktop.left, desktop.top, -desktop.left, height,
                  kLeftBackdrop);
  HostWindow primary(L"backdrop primary", 0, desktop.top, desktop.right, height, kPrimaryBackdrop);
  Pump(300);
  Program program(L"/s");
  HWND saver = WaitForWindow("SAVER Screen");
  ASSERT_NE(saver, nullptr);
  Pump(1500);
  RECT r;
  GetWindowRect(saver, &r);
  EXPECT_EQ(r.left, desktop.left);
  EXPECT_EQ(r.top, desktop.top);
  EXPECT_EQ(r.right, desktop.right);
  EXPECT_EQ(r.bottom, desktop.bottom);

  Shot first = CaptureScreen(desktop.left, desktop.top, width, height);
  Pump(500);
  Shot shot = CaptureScreen(desktop.left, desktop.top, width, height);
  SaveShot(shot, "saver-two-monitors");
  const int seam = -desktop.left;
  double leftShare = Share(shot, 0, seam, kLeftBackdrop);
  double primaryShare = Share(shot, seam, width, kPrimaryBackdrop);
  EXPECT_GT(leftShare, 0.5) << "the left monitor's desktop is behind the characters";
  EXPECT_GT(primaryShare, 0.5) << "so is the primary's";
  EXPECT_LT(leftShare, 0.999) << "characters walk over the left monitor";
  EXPECT_LT(primaryShare, 0.999) << "and over the primary";
  EXPECT_LT(Share(shot, 0, seam, kPrimaryBackdrop), 0.01) << "each half shows its own desktop";
  EXPECT_NE(first.pixels, shot.pixels) << "frames change";
  EXPECT_TRUE(program.Running());
}

TEST_F(MonitorsE2e, OnePixelOverTheLeftMonitorEndsTheSaver) {
  SetCursorPos(desktop.left + 300, desktop.top + 200);
  Pump(200);
  Program program(L"/s");
  ASSERT_NE(WaitForWindow("SAVER Screen"), nullptr);
  Pump(1000);
  ASSERT_TRUE(program.Running()) << "the pointer at rest at negative coordinates is no movement";
  SetCursorPos(desktop.left + 301, desktop.top + 200);
  int ms = program.MillisecondsUntilExit(3000);
  EXPECT_GE(ms, 0) << "a one-pixel move ends the saver";
  EXPECT_LE(ms, 500);
  EXPECT_EQ(program.exitCode(), 0u);
}

TEST_F(MonitorsE2e, TheSettingsDialogOpensCentredOnThePrimary) {
  Program program(L"/c");
  HWND dialog = WaitForWindow("Saver Setting");
  ASSERT_NE(dialog, nullptr);
  WaitForClientSize(dialog, 540, 330);
  Pump(300);
  RECT r;
  GetWindowRect(dialog, &r);
  SaveShot(CaptureScreen(desktop.left, desktop.top, desktop.right - desktop.left,
                         desktop.bottom - desktop.top),
           "dialog-two-monitors");
  const int primaryWidth = GetSystemMetrics(SM_CXSCREEN);
  const int primaryHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs(r.left + r.right - primaryWidth), 1) << r.left << ".." << r.right;
  EXPECT_LE(std::abs(r.top + r.bottom - primaryHeight), 1) << r.top << ".." << r.bottom;
}

}  // namespace
