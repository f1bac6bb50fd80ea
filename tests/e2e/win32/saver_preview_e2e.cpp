// "/s" and "/p" from outside: the saver covers the screen over the snapshot
// with frames changing; the preview draws its picture inside a host pane and
// ends with it; a handle that names no window ends the preview at once.
#include <gtest/gtest.h>

#include <string>

#include "assets/pictures.hpp"
#include "driver.hpp"
#include "windows_e2e.hpp"

using namespace e2e;

namespace {

constexpr COLORREF kBackdropLeft = RGB(255, 128, 0);
constexpr COLORREF kBackdropRight = RGB(0, 96, 255);

// The share of sampled pixels that equal what lay on the screen before.
double ShareOfBackdrop(const Shot& shot) {
  int same = 0, total = 0;
  for (int y = 0; y < shot.height; y += 8) {
    for (int x = 0; x < shot.width; x += 8) {
      DWORD want = Rgb(x < shot.width / 2 ? kBackdropLeft : kBackdropRight);
      same += shot.At(x, y) == want;
      ++total;
    }
  }
  return total ? static_cast<double>(same) / total : 0;
}

class SaverE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    StoreSetting("music mode", "0");
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  void TearDown() override { ClearSettings(); }
  int width = 0, height = 0;
};

}  // namespace

TEST_F(SaverE2e, CoversTheScreenOverTheSnapshotWithFramesChanging) {
  StoreSetting("saver type", "3");  // the desktop, without marks
  HostWindow left(L"backdrop left", 0, 0, width / 2, height, kBackdropLeft);
  HostWindow right(L"backdrop right", width / 2, 0, width - width / 2, height, kBackdropRight);
  Pump(300);
  Program program(L"/s");
  HWND saver = WaitForWindow("SAVER Screen");
  ASSERT_NE(saver, nullptr);
  Pump(1200);
  RECT r;
  GetWindowRect(saver, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, width);
  EXPECT_EQ(r.bottom, height);
  EXPECT_TRUE(GetWindowLongW(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongW(saver, GWL_STYLE) & WS_CAPTION, 0);

  Shot first = CaptureScreen(0, 0, width, height);
  Pump(400);
  Shot second = CaptureScreen(0, 0, width, height);
  SaveShot(second, "saver-desktop2-" + std::to_string(ScreenDpi()) + "dpi");
  double share = ShareOfBackdrop(second);
  EXPECT_GT(share, 0.5) << "the snapshot lies behind the characters";
  EXPECT_LT(share, 0.999) << "characters walk over it";
  EXPECT_NE(first.pixels, second.pixels) << "frames change";
  EXPECT_TRUE(program.Running());
}

TEST_F(SaverE2e, BlackBackgroundHidesTheDesktop) {
  StoreSetting("saver type", "2");
  HostWindow backdrop(L"backdrop", 0, 0, width, height, kBackdropLeft);
  Pump(200);
  Program program(L"/s");
  ASSERT_NE(WaitForWindow("SAVER Screen"), nullptr);
  Pump(1000);
  Shot shot = CaptureScreen(0, 0, width, height);
  SaveShot(shot, "saver-black-" + std::to_string(ScreenDpi()) + "dpi");
  int black = 0, total = 0;
  for (int y = 0; y < height; y += 8) {
    for (int x = 0; x < width; x += 8, ++total)
      black += shot.At(x, y) == 0;
  }
  EXPECT_GT(black, total / 2);
  EXPECT_EQ(ShareOfBackdrop(shot) * 2 < 0.01, true);
}

TEST(PreviewE2e, DrawsItsPictureInsideTheHostPaneAndEndsWithIt) {
  HostWindow host(L"preview host", 300, 200, 200, 160, RGB(255, 255, 255));
  HWND pane = host.AddPane(20, 20, 152, 112, RGB(0, 0, 255));
  Pump(200);
  Program program(L"/p " + std::to_wstring(reinterpret_cast<INT_PTR>(pane)));
  HWND preview = nullptr;
  for (int i = 0; i < 250 && preview == nullptr; ++i) {
    preview = FindWindowExW(pane, nullptr, nullptr, L"preview window");
    Pump(20);
  }
  ASSERT_NE(preview, nullptr);
  Pump(500);
  RECT client;
  GetClientRect(preview, &client);
  EXPECT_EQ(client.right, 152);
  EXPECT_EQ(client.bottom, 112);

  POINT origin{0, 0};
  ClientToScreen(pane, &origin);
  Shot shot = CaptureScreen(origin.x, origin.y, 152, 112);
  SaveShot(CaptureScreen(300, 200, 200, 160), "preview-" + std::to_string(ScreenDpi()) + "dpi");
  const quimbel::base::Surface& picture = quimbel::assets::PreviewPicture();
  int same = 0;
  for (int y = 0; y < 112; ++y) {
    for (int x = 0; x < 152; ++x)
      same += shot.At(x, y) == (picture.At(x, y) & 0xFFFFFF);
  }
  EXPECT_EQ(same, 152 * 112) << "the picture, unscaled, from the top-left corner";

  host.Destroy();
  int ms = program.MillisecondsUntilExit(5000);
  EXPECT_GE(ms, 0) << "the preview ends with its host";
  EXPECT_EQ(program.exitCode(), 0u);
}

TEST(PreviewE2e, AHandleThatNamesNoWindowEndsAtOnce) {
  for (const wchar_t* args : {L"/p 12345678", L"/p", L"/p 0"}) {
    Program program(args);
    EXPECT_GE(program.MillisecondsUntilExit(3000), 0) << Utf8(args);
    EXPECT_EQ(program.exitCode(), 0u);
  }
}

TEST(ErrorReportE2e, AnUntrappedErrorIsReportedAndEndsTheProgramWithAFailure) {
  // A host handle beyond 32 bits overflows while the command line is read.
  Program program(L"/p 99999999999");
  std::string caption;
  std::string text = AnswerMessageBox(program.pid(), IDOK, &caption);
  EXPECT_NE(text.find("6"), std::string::npos) << text;
  EXPECT_NE(text.find("オーバーフロー"), std::string::npos) << text;
  EXPECT_NE(text.find("quimbel"), std::string::npos) << text;
  ASSERT_TRUE(program.WaitForExit(5000));
  EXPECT_EQ(program.exitCode(), 1u);
}
