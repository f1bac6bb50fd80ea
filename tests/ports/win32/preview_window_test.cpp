// The Win32 preview window inside a host window: child style, parent, size in
// pixels, the picture on black, and its end with the host.
#include <gtest/gtest.h>
#include <windows.h>

#include "ports/win32/message_loop.hpp"
#include "ports/win32/preview_window.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/win32_test_window.hpp"
#include "ports/win32/window_handle.hpp"

using namespace quimbel::win32_port;
using quimbel::base::Surface;

TEST(Win32PreviewTest, LivesInsideTheHostAndEndsWithIt) {
  TestWindow host(L"preview host", 100, 100, 152, 112, RGB(0, 0, 255));
  ASSERT_NE(host.hwnd(), nullptr);
  Win32Screen screen;
  Win32PreviewFactory factory;
  int before = OpenWindowCount();
  auto preview = factory.CreatePreviewWindow();
  EXPECT_EQ(OpenWindowCount(), before + 1);
  HWND window = FindWindowW(L"QuimbelPreview", L"preview window");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window)) << "created hidden";

  LONG styleBefore = GetWindowLongW(window, GWL_STYLE);
  preview->AddChildStyle();
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE), styleBefore | WS_CHILD);
  preview->SetParent(FromHwnd(host.hwnd()));
  EXPECT_EQ(GetAncestor(window, GA_PARENT), host.hwnd());

  preview->SetBoundsPx(0, 0, 152, 112);
  Surface picture(20, 10, 0xFF0000);
  picture.At(0, 0) = 0x00FF00;
  preview->SetPicture(picture);
  preview->Show();
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 152);
  EXPECT_EQ(client.bottom, 112);

  PumpMessages(200);
  Surface shot(152, 112, 0x123456);
  ASSERT_TRUE(screen.Capture(shot, 100, 100, 152, 112));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u);
  EXPECT_EQ(shot.At(19, 9), 0xFF0000u);
  EXPECT_EQ(shot.At(20, 9), 0x000000u) << "black beside the picture";
  EXPECT_EQ(shot.At(151, 111), 0x000000u) << "black below the picture";

  host.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(OpenWindowCount(), before);
  // The core keeps its object; it must outlive its window harmlessly.
  preview->SetPicture(picture);
  preview->Show();
  preview.reset();
  EXPECT_EQ(OpenWindowCount(), before);
}
