// The saver's start through the real Win32 window and screen, in the core's
// own order: the window shows what lay beneath it until the first frame,
// however often it repaints, and the background copy is that desktop.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/program.hpp"
#include "app/saver_start.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ports/win32/saver_window.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/win32_test_window.hpp"

using namespace quimbel;
using namespace quimbel::win32_port;

namespace {

constexpr COLORREF kLeft = RGB(255, 128, 0);
constexpr COLORREF kRight = RGB(0, 96, 255);

base::Pixel ToPixel(COLORREF c) {
  return base::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The share of sampled pixels that show the two-coloured desktop.
double DesktopShare(const base::Surface& shot) {
  int same = 0, total = 0;
  for (int y = 0; y < shot.Height(); y += 8) {
    for (int x = 0; x < shot.Width(); x += 8, ++total)
      same += shot.At(x, y) == ToPixel(x < shot.Width() / 2 ? kLeft : kRight);
  }
  return total ? static_cast<double>(same) / total : 0;
}

// Lets the windows paint and the server catch up, but runs no timer: the
// core's tick must not come before the start is done.
void PumpAllButTimers(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
           PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

// The Win32 screen, which also repaints the saver window, as a compositor
// may at any time, right after the core has moved it onto the screen (the
// caret is sampled next, the first time), and notes what the screen then shows.
class RepaintingScreen : public platform::Screen {
 public:
  explicit RepaintingScreen(Win32Screen& real) : real_(real) {}
  std::vector<platform::Monitor> Monitors() override { return real_.Monitors(); }
  bool Capture(base::Surface& dst, int x, int y, int width, int height) override {
    return real_.Capture(dst, x, y, width, height);
  }
  void HoldDesktop(const platform::Rect32& area) override { real_.HoldDesktop(area); }
  void ReleaseDesktop() override { real_.ReleaseDesktop(); }
  bool CursorPos(platform::Point32& p) override { return real_.CursorPos(p); }
  bool CaretPos(platform::Point32& p) override {
    if (!looked_)
      RepaintAndLook();
    return real_.CaretPos(p);
  }
  bool WindowRect(platform::WindowHandle handle, platform::Rect32& r) override {
    return real_.WindowRect(handle, r);
  }

  bool onScreen = false;
  base::Surface shownBeforeFirstFrame;

 private:
  void RepaintAndLook() {
    looked_ = true;
    HWND saver = FindWindowW(L"QuimbelSaver", L"SAVER Screen");
    RedrawWindow(saver, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpAllButTimers(150);
    RECT r{};
    GetWindowRect(saver, &r);
    onScreen = r.left == 0 && r.top == 0;
    shownBeforeFirstFrame.Reset(r.right - r.left, r.bottom - r.top);
    Win32Screen live;  // holds no picture: reads the screen's pixels
    live.Capture(shownBeforeFirstFrame, 0, 0, r.right - r.left, r.bottom - r.top);
  }

  Win32Screen& real_;
  bool looked_ = false;
};

}  // namespace

TEST(Win32SaverStartTest, TheDesktopStaysUnderTheWindowUntilTheFirstFrameAndIsTheBackground) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // An ordinary desktop: windows that are not topmost.
  TestWindow left(L"left half", 0, 0, width / 2, height, kLeft);
  TestWindow right(L"right half", width / 2, 0, width - width / 2, height, kRight);
  for (HWND w : {left.hwnd(), right.hwnd()})
    SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PumpMessages(200);

  headless::HeadlessPlatform port;
  Win32Screen screen;
  RepaintingScreen repainting(screen);
  Win32SaverFactory savers(screen);
  platform::Platform platform{port.process,  repainting, port.store, port.random,      port.sound,
                              port.previews, savers,     port.forms, port.messageBoxes};
  app::Program program(platform);
  program.settings.CaraCount = 5;
  program.settings.CaraType = 8;
  program.settings.SaverType = 3;  // the desktop, without shadows
  program.settings.MusicMode = 0;
  program.run.IsSaverMode = base::kTrue16;
  program.run.ScreenWidthPx = width;
  program.run.ScreenHeightPx = height;
  app::StartSaver(program);

  ASSERT_TRUE(repainting.onScreen) << "repainted after the move onto the screen";
  EXPECT_GT(DesktopShare(repainting.shownBeforeFirstFrame), 0.99)
      << "the window shows the desktop until the first frame";
  EXPECT_GT(DesktopShare(program.saver.scr_bkg), 0.99) << "the background is the desktop";
  EXPECT_TRUE(screen.Snapshot().Empty()) << "let go of after the first frame";
  PumpAllButTimers(150);
  Win32Screen live;
  base::Surface shown(width, height);
  ASSERT_TRUE(live.Capture(shown, 0, 0, width, height));
  EXPECT_EQ(shown.At(0, 0), program.saver.scr_work.At(0, 0)) << "then the frames";
  EXPECT_TRUE(shown == program.saver.scr_work);
}
