// The Win32 saver window: geometry from twips, nothing painted before the
// first frame, frames on the screen, timers, clicks and keys to the core,
// topmost without activation.
#include <gtest/gtest.h>

#include <windows.h>
#include <span>

#include "ports/win32/message_loop.hpp"
#include "ports/win32/saver_window.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/win32_test_window.hpp"
#include "support/counting_saver_events.hpp"

using namespace quimbel;
using namespace quimbel::win32_port;

namespace {

using CountingEvents = fixtures::CountingSaverEvents;

class SaverWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<platform::SaverWindow> MakeSaver() {
    auto saver = factory.CreateSaverWindow("SAVER Screen", events);
    window = FindWindowW(L"QuimbelSaver", L"SAVER Screen");
    return saver;
  }
  Win32Screen screen;
  Win32SaverFactory factory{screen};
  CountingEvents events;
  HWND window = nullptr;
};

}  // namespace

TEST_F(SaverWindowTest, CoversItsRectangleAndShowsFramesOnlyOnceGiven) {
  TestWindow under(L"under the saver", 200, 150, 120, 90, RGB(0, 255, 0));
  PumpMessages(100);
  int before = OpenWindowCount();
  auto saver = MakeSaver();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(OpenWindowCount(), before + 1);
  EXPECT_FALSE(IsWindowVisible(window)) << "created hidden";
  double tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
  saver->SetSizeTwips(160 * tx, 100 * ty);
  saver->SetPositionTwips(180 * tx, 140 * ty);
  saver->SetFocusHolderBounds(10, 10, -50, -50);
  saver->Show();
  saver->FocusHolder();
  // The program takes its snapshot right away, through the shown window.
  engine::Surface shot(1, 1);
  ASSERT_TRUE(screen.Capture(shot, 250, 190, 1, 1));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u) << "the desktop stays visible before the first frame";
  PumpMessages(100);
  ASSERT_TRUE(screen.Capture(shot, 250, 190, 1, 1));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u) << "also once the window has painted";
  saver->MakeTopmost();
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 180);
  EXPECT_EQ(r.top, 140);
  EXPECT_EQ(r.right - r.left, 160);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

  // The core composes in the window's own pixels.
  engine::Pixel* memory = saver->FrameMemory(160, 100);
  ASSERT_NE(memory, nullptr);
  engine::Surface frame;
  frame.Wrap(memory, 160, 100, 0x0000FF);
  frame.At(70, 50) = 0xFF00FF;
  const engine::Rect whole{0, 0, 160, 100};
  saver->Present(frame, std::span<const engine::Rect>(&whole, 1));
  PumpMessages(50);
  engine::Surface after(160, 100);
  ASSERT_TRUE(screen.Capture(after, 180, 140, 160, 100));
  EXPECT_EQ(after.At(0, 0), 0x0000FFu);
  EXPECT_EQ(after.At(70, 50), 0xFF00FFu);
  EXPECT_EQ(after.At(159, 99), 0x0000FFu);

  // Only the changed rectangles reach the screen.
  frame.At(70, 50) = 0x00FFFF;
  frame.At(10, 10) = 0xFFFF00;
  const engine::Rect changed{60, 40, 20, 20};
  saver->Present(frame, std::span<const engine::Rect>(&changed, 1));
  PumpMessages(50);
  ASSERT_TRUE(screen.Capture(after, 180, 140, 160, 100));
  EXPECT_EQ(after.At(70, 50), 0x00FFFFu);
  EXPECT_EQ(after.At(10, 10), 0x0000FFu) << "outside the rectangle: as before";

  // A repaint asked by the system shows the frame as it now is.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  PumpMessages(50);
  ASSERT_TRUE(screen.Capture(after, 180, 140, 160, 100));
  EXPECT_EQ(after.At(70, 50), 0x00FFFFu);
  EXPECT_EQ(after.At(10, 10), 0xFFFF00u);

  saver.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(OpenWindowCount(), before);
}

TEST_F(SaverWindowTest, TimersClicksAndKeysReachTheCore) {
  auto saver = MakeSaver();
  saver->SetSizeTwips(100 * screen.TwipsPerPixelX(), 100 * screen.TwipsPerPixelY());
  saver->SetFocusHolderBounds(10, 10, -50, -50);
  PumpMessages(350);
  EXPECT_GE(events.timer1, 2) << "the timers run from creation, shown or not";
  EXPECT_GT(events.timer2, events.timer1);

  saver->Show();
  saver->FocusHolder();
  PumpMessages(50);
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(GetParent(focus), window) << "the focus holder has the focus";
  PostMessageW(focus, WM_KEYDOWN, VK_SHIFT, 0);
  PostMessageW(window, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PumpMessages(30);
  EXPECT_EQ(events.keys, 1);
  EXPECT_EQ(events.clicks, 1);
  // A key press that the saver window itself gets is not the holder's.
  PostMessageW(window, WM_KEYDOWN, 'A', 0);
  PumpMessages(30);
  EXPECT_EQ(events.keys, 1);

  // Pointer motion arrives in screen pixels.
  saver->SetPositionTwips(40 * screen.TwipsPerPixelX(), 30 * screen.TwipsPerPixelY());
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
  EXPECT_EQ(events.moves, 1);
  EXPECT_EQ(events.lastX, 47);
  EXPECT_EQ(events.lastY, 39);
}

TEST_F(SaverWindowTest, PointerIsThePictureGivenOrTheDefault) {
  auto saver = MakeSaver();
  saver->SetSizeTwips(100 * screen.TwipsPerPixelX(), 100 * screen.TwipsPerPixelY());
  saver->Show();
  PumpMessages(50);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  engine::Icon invisible;
  invisible.colour.Reset(32, 32);
  invisible.transparent.assign(32 * 32, true);
  saver->SetPointer(invisible);
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  HCURSOR shown = GetCursor();
  EXPECT_NE(shown, nullptr);
  EXPECT_NE(shown, arrow);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(shown, &info));
  EXPECT_FALSE(info.fIcon) << "a pointer, not an icon";
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);

  saver->SetDefaultPointer();
  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), arrow);
}
