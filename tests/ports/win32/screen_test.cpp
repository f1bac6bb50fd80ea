// The Win32 screen: metrics, captures of what is on the screen, window
// rectangles by handle, pointer position.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "ports/win32/screen.hpp"
#include "ports/win32/win32_test_window.hpp"
#include "ports/win32/window_handle.hpp"

using namespace quimbel::win32_port;
using quimbel::base::Surface;
using quimbel::platform::Point32;
using quimbel::platform::Rect32;

TEST(Win32ScreenTest, TheScaleFollowsTheLogicalDpi) {
  EXPECT_DOUBLE_EQ(ScaleForDpi(96), 1.0);
  EXPECT_DOUBLE_EQ(ScaleForDpi(120), 1.25);
  EXPECT_DOUBLE_EQ(ScaleForDpi(144), 1.5);
  EXPECT_DOUBLE_EQ(ScaleForDpi(0), 1.0);
  HDC dc = GetDC(nullptr);
  EXPECT_DOUBLE_EQ(Win32Screen().PrimaryMonitorScale(), GetDeviceCaps(dc, LOGPIXELSX) / 96.0);
  ReleaseDC(nullptr, dc);
}

// Held, the area reads as it was when it was taken, and only the area; let
// go of, the screen reads live again.
TEST(Win32ScreenTest, AHeldDesktopIsExactlyTheAreaUntilLetGo) {
  std::optional<TestWindow> red;
  red.emplace(L"held red", 40, 50, 60, 40, RGB(255, 0, 0));
  PumpMessages(200);
  Win32Screen screen;
  screen.HoldDesktop({50, 55, 90, 85});
  EXPECT_EQ(screen.Snapshot().Width(), 40);
  EXPECT_EQ(screen.Snapshot().Height(), 30);
  red.reset();
  TestWindow green(L"held green", 40, 50, 60, 40, RGB(0, 128, 0));
  PumpMessages(200);
  Surface shot(40, 30, 0x123456);
  ASSERT_TRUE(screen.Capture(shot, 50, 55, 40, 30));
  EXPECT_EQ(shot.At(0, 0), 0xFF0000u);
  EXPECT_EQ(shot.At(39, 29), 0xFF0000u);
  EXPECT_FALSE(screen.Capture(shot, 45, 55, 40, 30)) << "outside the held area";
  screen.ReleaseDesktop();
  EXPECT_TRUE(screen.Snapshot().Empty());
  ASSERT_TRUE(screen.Capture(shot, 50, 55, 40, 30));
  EXPECT_EQ(shot.At(0, 0), 0x008000u);
}

TEST(Win32ScreenTest, TheDesktopIsTheVirtualScreenAroundThePrimary) {
  Win32Screen screen;
  Rect32 primary = screen.PrimaryMonitorPx();
  EXPECT_EQ(primary.left, 0);
  EXPECT_EQ(primary.top, 0);
  EXPECT_EQ(primary.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(primary.bottom, GetSystemMetrics(SM_CYSCREEN));
  Rect32 desktop = screen.DesktopPx();
  EXPECT_EQ(desktop.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(desktop.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(desktop.right - desktop.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(desktop.bottom - desktop.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_LE(desktop.left, primary.left);
  EXPECT_GE(desktop.right, primary.right);
}

TEST(Win32ScreenTest, CaptureCopiesTheScreenPixelsOfARectangle) {
  TestWindow red(L"capture red", 40, 50, 30, 20, RGB(255, 0, 0));
  TestWindow green(L"capture green", 70, 50, 30, 20, RGB(0, 128, 0));
  ASSERT_NE(red.hwnd(), nullptr);
  PumpMessages(200);
  Win32Screen screen;
  Surface shot(40, 10, 0x123456);
  ASSERT_TRUE(screen.Capture(shot, 50, 55, 40, 10));
  EXPECT_EQ(shot.At(0, 0), 0xFF0000u);
  EXPECT_EQ(shot.At(19, 9), 0xFF0000u);
  EXPECT_EQ(shot.At(20, 0), 0x008000u);
  EXPECT_EQ(shot.At(39, 9), 0x008000u);

  // A larger request is clipped to the surface.
  Surface small(5, 5, 0x123456);
  ASSERT_TRUE(screen.Capture(small, 45, 55, 500, 500));
  EXPECT_EQ(small.At(4, 4), 0xFF0000u);
  Surface empty;
  EXPECT_FALSE(screen.Capture(empty, 0, 0, 10, 10));
}

TEST(Win32ScreenTest, WindowRectAnswersOnlyForRealWindows) {
  TestWindow window(L"rect window", 33, 44, 152, 112);
  ASSERT_NE(window.hwnd(), nullptr);
  Win32Screen screen;
  Rect32 r;
  ASSERT_TRUE(screen.WindowRect(FromHwnd(window.hwnd()), r));
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  EXPECT_EQ(r.right - r.left, 152);
  EXPECT_EQ(r.bottom - r.top, 112);

  HWND gone = window.hwnd();
  window.Destroy();
  Rect32 untouched{1, 2, 3, 4};
  EXPECT_FALSE(screen.WindowRect(FromHwnd(gone), untouched));
  EXPECT_FALSE(screen.WindowRect(0, untouched));  // not the desktop's rectangle
  EXPECT_FALSE(screen.WindowRect(-1, untouched));
  EXPECT_EQ(untouched.left, 1);
  EXPECT_EQ(untouched.bottom, 4);
}

TEST(Win32ScreenTest, CursorPositionFollowsThePointer) {
  Win32Screen screen;
  ASSERT_TRUE(SetCursorPos(123, 234));
  PumpMessages(50);
  Point32 p;
  ASSERT_TRUE(screen.CursorPos(p));
  EXPECT_EQ(p.x, 123);
  EXPECT_EQ(p.y, 234);
  Point32 caret{-5, -5};
  EXPECT_TRUE(screen.CaretPos(caret));
  EXPECT_EQ(caret.x, 0);  // no caret in this thread
}
