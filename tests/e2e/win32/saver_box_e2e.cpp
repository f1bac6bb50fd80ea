// A box that opens during the saver run: above the saver with the keyboard
// and a visible pointer, one at a time, the tune looked after meanwhile; once
// it is closed the saver goes on until the next sign of the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.hpp"

using namespace e2e;

namespace {

// Top-level windows from the top of the z-order down.
int ZIndex(HWND window) {
  int i = 0;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT), ++i) {
    if (w == window)
      return i;
  }
  return -1;
}

struct BoxSearch {
  DWORD pid;
  int count;
};

// A CALLBACK function, not a lambda: 32-bit builds need the stdcall kind.
BOOL CALLBACK CountBox(HWND w, LPARAM param) {
  auto* s = reinterpret_cast<BoxSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (owner == s->pid && IsWindowVisible(w) && std::wstring(cls) == L"#32770")
    ++s->count;
  return TRUE;
}

int BoxesOf(DWORD pid) {
  BoxSearch search{pid, 0};
  EnumWindows(CountBox, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

std::string Tune(const char* name) {
  return "open " + Utf8(BuildDirectory()) + "\\" + name + " alias bgm";
}

void PressEnter() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

// The tune's poll sleeps until shortly before the tune's end: the test has
// its next poll come now, as the window's second timer would bring it.
void PollTheTuneNow(HWND saver) {
  PostMessageW(saver, WM_TIMER, 2, 0);
}

}  // namespace

TEST(SaverBoxE2e, AFailingTuneShowsOneBoxAboveTheSaverAndTheRunGoesOnAfterIt) {
  ClearSettings();
  StoreSetting("saver type", "2");
  StoreSetting("music mode", "2");
  SetCursorPos(500, 400);
  Pump(200);
  Program program(L"/s");
  HWND saver = WaitForWindow("SAVER Screen");
  ASSERT_NE(saver, nullptr);
  Pump(800);
  ASSERT_TRUE(program.Running());

  // The device now holds an empty wave, which stops at once and cannot play:
  // the next poll's restart fails, and the sound service reports it; the
  // polls that come while the box is open fail too, without a second box.
  std::vector<SoundResult> r =
      SendSoundCommands(saver, {"close bgm", "open new type waveaudio alias bgm"});
  ASSERT_EQ(r.size(), 2u);
  ASSERT_EQ(r[1].code, 0u) << "the empty wave opens";
  PollTheTuneNow(saver);
  HWND box = WaitForProcessWindow(program.pid(), L"#32770", 3000);
  ASSERT_NE(box, nullptr);
  PollTheTuneNow(saver);
  Pump(300);
  SaveShot(CaptureScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
           "saver-box");
  EXPECT_EQ(BoxesOf(program.pid()), 1) << "the polls go on failing, and open no second box";
  EXPECT_GE(ZIndex(box), 0);
  EXPECT_LT(ZIndex(box), ZIndex(saver)) << "the box is above the saver";
  EXPECT_EQ(GetForegroundWindow(), box) << "and has the keyboard";
  r = SendSoundCommands(saver, {"?pointer"});
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].reply, "arrow") << "the pointer shows";

  // A tune that plays again: stopped behind the box, the poll restarts it.
  r = SendSoundCommands(saver, {"close bgm", Tune("quimbel.mid"), "play bgm"});
  ASSERT_EQ(r.size(), 3u);
  ASSERT_EQ(r[2].code, 0u) << "the tune plays";
  Pump(100);
  SendSoundCommands(saver, {"stop bgm"});
  PollTheTuneNow(saver);
  Pump(300);
  r = SendSoundCommands(saver, {"status bgm mode"});
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].reply, "playing") << "the music poll goes on while the box is open";

  PressEnter();
  for (int i = 0; i < 100 && IsWindow(box); ++i)
    Pump(20);
  EXPECT_FALSE(IsWindow(box)) << "Enter closes the box";
  Pump(500);
  EXPECT_TRUE(program.Running()) << "the saver goes on";
  SetCursorPos(501, 400);
  int ms = program.MillisecondsUntilExit(3000);
  EXPECT_GE(ms, 0) << "a one-pixel move ends it";
  EXPECT_EQ(program.exitCode(), 0u);
  ClearSettings();
}
