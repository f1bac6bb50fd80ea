// What the core reads from a port's monitor list: the desktop's bounds, the
// primary monitor and its scale, the same for every port.
#include <gtest/gtest.h>

#include <vector>

#include "platform/screen.hpp"

namespace {

using quimbel::platform::Monitor;
using quimbel::platform::Rect32;

class ListedScreen : public quimbel::platform::Screen {
 public:
  std::vector<Monitor> list;
  std::vector<Monitor> Monitors() override { return list; }
  bool Capture(quimbel::base::Surface&, int, int, int, int) override { return false; }
  void HoldDesktop(const Rect32&) override {}
  void ReleaseDesktop() override {}
  bool CursorPos(quimbel::platform::Point32&) override { return false; }
  bool CaretPos(quimbel::platform::Point32&) override { return false; }
  bool WindowRect(quimbel::platform::WindowHandle, Rect32&) override { return false; }
};

void ExpectRect(const Rect32& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(MonitorsTest, TheDesktopBoundsEveryMonitorAndThePrimaryIsTheMarkedOne) {
  ListedScreen screen;
  // A monitor left of and above the primary, with a gap below the primary.
  screen.list = {{{-1280, -200, 0, 824}, 1, false},
                 {{0, 0, 1920, 1080}, 2, true},
                 {{1920, 0, 2944, 768}, 1.25, false}};
  ExpectRect(screen.DesktopPx(), -1280, -200, 2944, 1080);
  ExpectRect(screen.PrimaryMonitorPx(), 0, 0, 1920, 1080);
  EXPECT_DOUBLE_EQ(screen.PrimaryMonitorScale(), 2);
}

TEST(MonitorsTest, UnmarkedEmptyOrUnscaledListsFallBackSafely) {
  ListedScreen screen;
  screen.list = {{{100, 0, 900, 600}, 1.5, false}, {{900, 0, 1700, 600}, 1, false}};
  ExpectRect(screen.PrimaryMonitorPx(), 100, 0, 900, 600);  // none marked: the first
  EXPECT_DOUBLE_EQ(screen.PrimaryMonitorScale(), 1.5);
  screen.list = {{{0, 0, 640, 480}, 0, true}};  // a scale the port could not read
  EXPECT_DOUBLE_EQ(screen.PrimaryMonitorScale(), 1);
  screen.list.clear();
  ExpectRect(screen.DesktopPx(), 0, 0, 0, 0);
  ExpectRect(screen.PrimaryMonitorPx(), 0, 0, 0, 0);
  EXPECT_DOUBLE_EQ(screen.PrimaryMonitorScale(), 1);
}

}  // namespace
