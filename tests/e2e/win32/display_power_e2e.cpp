// The displays switched off and on under the running saver, as the system
// tells a window: the power-setting broadcast, delivered inside the saver's
// own thread (Wine sends none). In the dark the tune is closed and the
// frames stop; in the light both come back; input still ends the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "driver.hpp"

using namespace e2e;

namespace {

Shot Screen() {
  return CaptureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// The tune's alias as the program's own thread sees it: "playing", or the
// sound service's error once it is closed.
SoundResult TuneStatus(HWND saver) {
  std::vector<SoundResult> r = SendSoundCommands(saver, {"status bgm mode"});
  return r.empty() ? SoundResult{~0ul, "no answer"} : r[0];
}

bool FramesGoOn() {
  Shot before = Screen();
  Pump(700);
  return Screen().pixels != before.pixels;
}

// With QUIMBEL_E2E_HOLD_MS set, the run stays in a phase that long and names
// it in the file "phase" of the artefacts directory, so that a script outside
// can count the program's wake-ups lit and dark (tests/e2e/win32/wake-ups.sh).
void Hold(const char* phase) {
  const char* ms = std::getenv("QUIMBEL_E2E_HOLD_MS");
  const char* dir = std::getenv("QUIMBEL_ARTIFACTS");
  if (ms == nullptr || dir == nullptr)
    return;
  std::ofstream(Wide(std::string(dir) + "\\phase").c_str()) << phase;
  Pump(std::atoi(ms));
}

}  // namespace

TEST(DisplayPowerE2e, TheDarkClosesTheTuneAndStopsTheFramesUntilTheLightComesBack) {
  ClearSettings();
  StoreSetting("saver type", "2");
  StoreSetting("music mode", "2");
  StoreSetting("number of cara", "10");
  SetCursorPos(500, 400);
  Pump(200);
  Program program(L"/s");
  HWND saver = WaitForWindow("SAVER Screen");
  ASSERT_NE(saver, nullptr);
  Pump(800);
  ASSERT_TRUE(program.Running());
  EXPECT_EQ(TuneStatus(saver).reply, "playing");
  EXPECT_TRUE(FramesGoOn());
  Hold("lit");

  for (bool older : {false, true}) {
    DeliverDisplayPower(saver, 0, older);
    Pump(300);
    SoundResult dark = TuneStatus(saver);
    EXPECT_NE(dark.code, 0u) << "the tune is closed, not paused: " << dark.reply;
    SaveShot(Screen(), older ? "display-off-monitor-power" : "display-off");
    EXPECT_FALSE(FramesGoOn()) << "no frame in the dark";
    EXPECT_TRUE(program.Running());
    if (!older)
      Hold("dark");

    // Dimmed counts as on.
    DeliverDisplayPower(saver, older ? 1 : 2, older);
    Pump(300);
    EXPECT_EQ(TuneStatus(saver).reply, "playing") << "the tune is open again";
    EXPECT_TRUE(FramesGoOn()) << "the frames come back";
  }

  // A click on the dark saver ends it. (The pointer's one-pixel move is
  // checked headless and on X11: here the driver cannot move Wine's pointer
  // once the saver has gone dark, by SetCursorPos or SendInput alike.)
  DeliverDisplayPower(saver, 0);
  Pump(300);
  PostMessageW(saver, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_GE(program.MillisecondsUntilExit(3000), 0) << "a click ends the dark run";
  EXPECT_EQ(program.exitCode(), 0u);
  ClearSettings();
}
