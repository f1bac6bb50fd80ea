// The Win32 saver window: a popup that becomes topmost, keys only at its
// focus holder, pointers made from pictures; and the contract every saver
// window keeps, with input arriving as posted messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "ports/win32/message_loop.hpp"
#include "ports/win32/saver_window.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/win32_test_window.hpp"
#include "support/saver_window_conformance.hpp"

namespace quimbel::win32_port {
namespace {

struct Win32Driver {
  static constexpr bool kSeesTheScreenUnder = true, kTimersRunByThemselves = true;
  Win32Screen screen;
  Win32SaverFactory factory{screen};
  std::optional<TestWindow> desktop;
  HWND window = nullptr;

  platform::SaverWindowFactory& Factory() { return factory; }
  platform::Screen& Screen() { return screen; }
  base::Rect ScreenPx() {
    const platform::Rect32 r = screen.DesktopPx();
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  // A window the saver will cover, the one thing on this desktop there.
  void PaintDesktop(base::Pixel colour) {
    desktop.emplace(L"under the saver", 170, 130, 180, 120,
                    RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    SetWindowPos(desktop->hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages(100);
  }
  bool Find(std::string_view title) {
    window = FindWindowW(nullptr, Widen(title).c_str());
    return window != nullptr;
  }
  bool Visible() { return IsWindowVisible(window); }
  base::Rect GeometryPx() {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  // The screen's own pixel: a screen that holds no picture reads it.
  base::Pixel ShownAt(int x, int y) {
    PumpMessages(50);
    base::Surface dot(1, 1);
    Win32Screen().Capture(dot, GeometryPx().x + x, GeometryPx().y + y, 1, 1);
    return dot.At(0, 0);
  }
  template <class Done>
  void RunUntil(Done done, int ms) {
    for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < DWORD(ms);)
      PumpMessages(10);
  }
  void SystemRepaint() {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  void Click(int x, int y) { PostMessageW(window, WM_RBUTTONDOWN, 0, MAKELPARAM(x, y)); }
  void Key() { PostMessageW(GetFocus(), WM_KEYDOWN, VK_SHIFT, 0); }
  void MovePointer(int x, int y) { PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  // The pointer the window sets when the system asks over its client area.
  HCURSOR Pointer() {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  bool DefaultPointer() { return Pointer() == LoadCursorW(nullptr, IDC_ARROW); }
};

using Win32SaverWindow = conformance::SaverWindowConformance<Win32Driver>;

TEST_F(Win32SaverWindow, IsAnOpenCaptionlessPopupTopmostOnlyWhenAsked) {
  const int open = OpenWindowCount();
  Start(base::kBlack);
  EXPECT_EQ(OpenWindowCount(), open + 1);
  const HWND w = driver.window;
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  window->MakeTopmost();
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  window.reset();
  EXPECT_EQ(OpenWindowCount(), open);
}

TEST_F(Win32SaverWindow, AKeyAtTheSaverWindowItselfIsNotTheFocusHolders) {
  Start(base::kBlack);
  PostMessageW(driver.window, WM_KEYDOWN, 'A', 0);
  PumpMessages(30);
  EXPECT_EQ(events.keys, 0);
}

TEST_F(Win32SaverWindow, APictureBecomesAPointerOfItsSize) {
  Start(base::kBlack);
  base::Icon invisible;
  invisible.colour.Reset(32, 32);
  invisible.transparent.assign(32 * 32, true);
  window->SetPointer(invisible);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(driver.Pointer(), &info));
  EXPECT_FALSE(info.fIcon) << "a pointer, not an icon";
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
}

}  // namespace
}  // namespace quimbel::win32_port

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SaverWindowConformance, win32_port::Win32Driver);
}  // namespace quimbel::conformance
