#include "ports/linux/hosting/hosted_screen.hpp"

#include <gtest/gtest.h>

#include "ports/headless/screen.hpp"
#include "ports/linux/x11/x11_daemon_window.hpp"

namespace quimbel::linux_port {
namespace {

TEST(HostedScreen, TheDrawingAreaIsTheHostWindow) {
  headless::HeadlessScreen screen;
  screen.SetMetrics(1920, 1080, 120);
  screen.windows[77] = {1920, 0, 1920 + 1280, 1024};  // the second monitor
  HostedScreen hosted(screen, 77);
  EXPECT_DOUBLE_EQ(hosted.PrimaryMonitorScale(), 1.25);
  // The area starts at the window's corner: captures add its place.
  platform::Rect32 area = hosted.DesktopPx();
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 1280);
  EXPECT_EQ(area.bottom, 1024);
}

TEST(HostedScreen, CaptureReadsUnderTheHostWindow) {
  headless::HeadlessScreen screen;
  screen.SetMetrics(8, 4, 15);
  screen.desktop = base::Surface(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      screen.desktop.At(x, y) = static_cast<base::Pixel>(y * 16 + x);
  screen.windows[5] = {4, 1, 8, 4};
  HostedScreen hosted(screen, 5);
  base::Surface dst(4, 3);
  ASSERT_TRUE(hosted.Capture(dst, 0, 0, 4, 3));
  EXPECT_EQ(dst.At(0, 0), screen.desktop.At(4, 1));
  EXPECT_EQ(dst.At(3, 2), screen.desktop.At(7, 3));
}

// The daemon's picture of the desktop wins over the screen, which by then
// shows the daemon's own black window; without one the screen is read.
TEST(HostedScreen, CaptureTakesTheDaemonsPictureWhenItLeftOne) {
  headless::HeadlessScreen screen;
  screen.SetMetrics(8, 4, 15);
  screen.desktop = base::Surface(8, 4, 0x111111);
  screen.windows[5] = {4, 1, 8, 4};
  bool left = true;
  int askedX = -1, askedY = -1;
  HostedScreen hosted(screen, 5,
                      [&](base::Surface& dst, const platform::Rect32& r, int x, int y, int, int) {
                        askedX = r.left + x;
                        askedY = r.top + y;
                        if (left)
                          dst.At(0, 0) = 0xABCDEF;
                        return left;
                      });
  base::Surface dst(4, 3);
  ASSERT_TRUE(hosted.Capture(dst, 1, 0, 3, 3));
  EXPECT_EQ(askedX, 5);
  EXPECT_EQ(askedY, 1);
  EXPECT_EQ(dst.At(0, 0), 0xABCDEFu);
  left = false;
  ASSERT_TRUE(hosted.Capture(dst, 0, 0, 4, 3));
  EXPECT_EQ(dst.At(0, 0), 0x111111u);
}

// The daemon's picture is of the whole screen, or (one per monitor) of the
// window alone, or smaller than the window after a change of screen size.
TEST(HostedScreen, TheDaemonsPictureIsReadWhereTheWindowLiesOnIt) {
  // A whole 2048-pixel screen: the right monitor's window reads from 1024 on.
  EXPECT_EQ(DaemonPictureOffset(1024, 1024, 2048), 1024);
  EXPECT_EQ(DaemonPictureOffset(0, 1024, 2048), 0);
  // A picture of the window alone: from its own corner, wherever it lies.
  EXPECT_EQ(DaemonPictureOffset(1024, 1024, 1024), 0);
  // A picture smaller than the window sits in its middle.
  EXPECT_EQ(DaemonPictureOffset(0, 1280, 1024), -128);
}

}  // namespace
}  // namespace quimbel::linux_port
