// "/c" from outside: the dialog's layout, captions, fonts, defaults and menus;
// Change with Yes stores the four values, No and Exit store nothing; Help
// opens one window; a second start ends at once while the dialog is open.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "assets/pictures.hpp"
#include "driver.hpp"
#include "windows_e2e.hpp"

using namespace e2e;

namespace {

const char* kDialog = "Saver Setting";
const char* kHelp = "くいんべるスクリーンセイバーについて";

// The point sizes the dialog asks for at 96 dpi and what they become at 120.
int Points(int at96, int at120) {
  return ScreenDpi() == 120 ? at120 : at96;
}
long FontHeight(int points) {
  return -std::lround(points * ScreenDpi() / 72.0);
}

const ChildInfo* Find(const std::vector<ChildInfo>& all, const std::string& cls,
                      const std::string& text) {
  for (const ChildInfo& c : all) {
    if (c.className == cls && c.text == text)
      return &c;
  }
  return nullptr;
}
std::vector<const ChildInfo*> OfClass(const std::vector<ChildInfo>& all, const std::string& cls) {
  std::vector<const ChildInfo*> out;
  for (const ChildInfo& c : all) {
    if (c.className == cls)
      out.push_back(&c);
  }
  return out;
}
const ControlFont* FontOf(const Dump& dump, const std::string& text) {
  for (const ControlFont& c : dump.controls) {
    if (c.text == text)
      return &c;
  }
  return nullptr;
}
bool Checked(const ChildInfo* c) {
  return c != nullptr && SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
int Selected(const ChildInfo* c) {
  return static_cast<int>(SendMessageW(c->hwnd, CB_GETCURSEL, 0, 0));
}
void ExpectAt(const ChildInfo* c, int left, int top, int width, int height) {
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->rect.left, left) << c->text;
  EXPECT_EQ(c->rect.top, top) << c->text;
  EXPECT_EQ(c->rect.right - c->rect.left, width) << c->text;
  if (height >= 0) {
    EXPECT_EQ(c->rect.bottom - c->rect.top, height) << c->text;
  }
}
TEST(DisplayE2e, ScreenHasTheDpiTheRunAskedFor) {
  const char* wanted = std::getenv("QUIMBEL_DPI");
  if (wanted == nullptr)
    GTEST_SKIP() << "QUIMBEL_DPI not set";
  EXPECT_EQ(ScreenDpi(), std::atoi(wanted));
}

class SettingsDialogE2e : public ::testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override { ClearSettings(); }
  HWND Open(Program&) {
    HWND dialog = WaitForWindow(kDialog);
    EXPECT_NE(dialog, nullptr);
    Pump(300);
    all = Children(dialog);
    return dialog;
  }
  std::vector<ChildInfo> all;
};

}  // namespace

TEST_F(SettingsDialogE2e, OpensWithItsLayoutCaptionsFontsDefaultsAndMenus) {
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  SIZE client = ClientSize(dialog);
  EXPECT_EQ(client.cx, 540);
  EXPECT_EQ(client.cy, 330);
  RECT outer;
  GetWindowRect(dialog, &outer);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(outer.left + outer.right, screenWidth, 2) << "centred";
  EXPECT_NEAR(outer.top + outer.bottom, screenHeight, 2) << "centred";

  ExpectAt(Find(all, "Static", "くいんべるスクリーンセイバー　設定"), 10, 10, 520, 30);
  ExpectAt(Find(all, "Static", "セイバータイプ"), 10, 20, 130, 33);
  ExpectAt(Find(all, "Static", "　　〃　　種類"), 10, 140, 130, 33);
  const char* types[] = {"デスクトップ１", "ブラック", "デスクトップ２"};
  const char* music[] = {"Off", "Wav", "Mid"};
  for (int i = 0; i < 3; ++i) {
    ExpectAt(Find(all, "Button", types[i]), 118 * i, 0, 118, 33);
    ExpectAt(Find(all, "Button", music[i]), 118 * i, 0, 118, 33);
  }
  const char* buttons[] = {"変更", "ヘルプ", "終了"};
  for (int i = 0; i < 3; ++i)
    ExpectAt(Find(all, "Button", buttons[i]), 216 + 104 * i, 255, 105, 40);
  auto combos = OfClass(all, "ComboBox");
  ASSERT_EQ(combos.size(), 2u);
  ExpectAt(combos[0]->rect.top < combos[1]->rect.top ? combos[0] : combos[1], 144, 100, 90, -1);
  ExpectAt(combos[0]->rect.top < combos[1]->rect.top ? combos[1] : combos[0], 144, 136, 180, -1);
  auto panels = OfClass(all, "QuimbelPanel");
  ASSERT_EQ(panels.size(), 3u);

  // Defaults with nothing stored: black, MIDI, 20, the whole cast.
  EXPECT_TRUE(Checked(Find(all, "Button", "ブラック")));
  EXPECT_FALSE(Checked(Find(all, "Button", "デスクトップ１")));
  EXPECT_TRUE(Checked(Find(all, "Button", "Mid")));
  const ChildInfo* count = combos[0]->rect.top < combos[1]->rect.top ? combos[0] : combos[1];
  const ChildInfo* kind = count == combos[0] ? combos[1] : combos[0];
  EXPECT_EQ(Selected(count), 19);
  EXPECT_EQ(Selected(kind), 8);
  EXPECT_EQ(SendMessageW(kind->hwnd, CB_GETCOUNT, 0, 0), 9);

  Dump inside = ReadInside(dialog);
  ASSERT_FALSE(inside.controls.empty()) << "the hook could not read the dialog";
  struct Expected {
    const char* text;
    int points;
    bool bold;
  } fonts[] = {{"くいんべるスクリーンセイバー　設定", Points(16, 12), true},
               {"セイバータイプ", Points(11, 8), true},
               {"デスクトップ１", Points(9, 7), true},
               {"Mid", Points(11, 8), true},
               {"変更", Points(11, 8), true}};
  for (const Expected& e : fonts) {
    const ControlFont* f = FontOf(inside, e.text);
    ASSERT_NE(f, nullptr) << e.text;
    EXPECT_EQ(f->face, "ＭＳ 明朝") << e.text;
    EXPECT_EQ(f->charset, SHIFTJIS_CHARSET) << e.text;
    EXPECT_EQ(f->fontHeight, FontHeight(e.points)) << e.text;
    EXPECT_EQ(f->weight >= FW_BOLD, e.bold) << e.text;
  }
  for (const ControlFont& f : inside.controls) {
    if (f.className == "ComboBox") {
      EXPECT_EQ(f.fontHeight, FontHeight(Points(14, 11)));
      EXPECT_LT(f.weight, FW_BOLD);
    }
  }
  std::vector<std::string> menus;
  for (const MenuEntry& m : inside.menus)
    menus.push_back(std::to_string(m.depth) + " " + m.caption);
  EXPECT_EQ(menus,
            (std::vector<std::string>{"0 終了(&X&ｻ)", "0 登録(&S&ﾄ)", "0 ﾍﾙﾌﾟ(&H&ｸ)",
                                      "1 使い方(&H&ｸ)", "1 ｿﾌﾄ紹介(&E&ｲ)", "1 ﾊﾞｰｼﾞｮﾝ(&A)"}));

  RECT r;
  GetWindowRect(dialog, &r);
  SaveShot(CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top),
           "settings-dialog-" + std::to_string(ScreenDpi()) + "dpi");
}

TEST_F(SettingsDialogE2e, ChangeAnsweredYesStoresTheFourValues) {
  StoreSetting("number of cara", "7");
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  auto combos = OfClass(all, "ComboBox");
  ASSERT_EQ(combos.size(), 2u);
  const ChildInfo* count = combos[0]->rect.top < combos[1]->rect.top ? combos[0] : combos[1];
  const ChildInfo* kind = count == combos[0] ? combos[1] : combos[0];
  EXPECT_EQ(Selected(count), 6) << "the stored 7 is selected";

  Click(Find(all, "Button", "デスクトップ２")->hwnd);
  Click(Find(all, "Button", "Off")->hwnd);
  PickListEntry(count->hwnd, 4);
  PickListEntry(kind->hwnd, 7);
  Pump(100);
  Click(Find(all, "Button", "変更")->hwnd);
  std::string caption;
  bool defaultIsNo = false;
  std::string text = AnswerMessageBox(program.pid(), IDYES, &caption, &defaultIsNo);
  EXPECT_NE(text.find("変更しますか。"), std::string::npos) << text;
  EXPECT_EQ(caption, "くいんべる　スクリーンセイバー Ver1.40");
  EXPECT_TRUE(defaultIsNo);
  ASSERT_TRUE(program.WaitForExit(5000)) << "the dialog closes after Yes, and the program ends";
  EXPECT_EQ(program.exitCode(), 0u);
  EXPECT_EQ(StoredSetting("number of cara"), "5");
  EXPECT_EQ(StoredSetting("type of cara"), "7");
  EXPECT_EQ(StoredSetting("saver type"), "3");
  EXPECT_EQ(StoredSetting("music mode"), "0");
}

TEST_F(SettingsDialogE2e, NoAndExitStoreNothing) {
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  Click(Find(all, "Button", "Wav")->hwnd);
  Click(Find(all, "Button", "変更")->hwnd);
  EXPECT_FALSE(AnswerMessageBox(program.pid(), IDNO).empty());
  Pump(300);
  EXPECT_TRUE(IsWindow(dialog)) << "No leaves the dialog open";
  EXPECT_TRUE(Checked(Find(all, "Button", "Wav")));
  EXPECT_EQ(StoredSetting("music mode"), "");

  Click(Find(all, "Button", "終了")->hwnd);
  ASSERT_TRUE(program.WaitForExit(5000));
  EXPECT_EQ(program.exitCode(), 0u);
  EXPECT_EQ(StoredSetting("music mode"), "");
  EXPECT_EQ(StoredSetting("number of cara"), "");
}

TEST_F(SettingsDialogE2e, HelpOpensOneWindowEvenOnASecondPress) {
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  Click(Find(all, "Button", "ヘルプ")->hwnd);
  HWND help = WaitForWindow(kHelp);
  ASSERT_NE(help, nullptr);
  const SIZE helpSize = WaitForClientSize(help, 640, 430);
  EXPECT_EQ(helpSize.cx, 640);
  EXPECT_EQ(helpSize.cy, 430);
  Pump(300);
  Click(Find(all, "Button", "ヘルプ")->hwnd);
  Pump(500);
  EXPECT_EQ(CountTopLevel(program.pid(), kHelp), 1);
  RECT r;
  GetWindowRect(help, &r);
  SaveShot(CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top),
           "help-window-" + std::to_string(ScreenDpi()) + "dpi");

  // Exit closes the help window with the dialog; the program ends.
  Click(Find(all, "Button", "終了")->hwnd);
  ASSERT_TRUE(program.WaitForExit(5000));
}

TEST_F(SettingsDialogE2e, SecondStartEndsAtOnceWhileTheDialogIsOpen) {
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  for (const wchar_t* args : {L"/s", L"/c", L"", L"/p 1234"}) {
    Program second(args);
    int ms = second.MillisecondsUntilExit(5000);
    EXPECT_GE(ms, 0) << Utf8(args);
    EXPECT_EQ(second.exitCode(), 0u) << Utf8(args);
  }
  EXPECT_EQ(FindWindowW(nullptr, L"SAVER Screen"), nullptr);
  EXPECT_EQ(CountTopLevel(program.pid(), kDialog), 1);
}

TEST_F(SettingsDialogE2e, HelpMenuOpensTheIntroductionAndTheAboutBox) {
  Program program(L"/c");
  HWND dialog = Open(program);
  ASSERT_NE(dialog, nullptr);
  Dump inside = ReadInside(dialog);
  UINT intro = 0, about = 0;
  for (const MenuEntry& m : inside.menus) {
    if (m.caption == "ｿﾌﾄ紹介(&E&ｲ)")
      intro = m.id;
    if (m.caption == "ﾊﾞｰｼﾞｮﾝ(&A)")
      about = m.id;
  }
  ASSERT_NE(intro, 0u);
  ASSERT_NE(about, 0u);

  ChooseMenu(dialog, intro);
  HWND salesf = WaitForWindow("作者ソフト紹介");
  ASSERT_NE(salesf, nullptr);
  const SIZE salesfSize = WaitForClientSize(salesf, 502, 394);
  EXPECT_EQ(salesfSize.cx, 502);
  EXPECT_EQ(salesfSize.cy, 394);
  Pump(600);
  RECT r;
  GetWindowRect(salesf, &r);
  SaveShot(CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top),
           "introduction-" + std::to_string(ScreenDpi()) + "dpi");
  // The logo, 50 x 50 at (370, 32) of its panel with a one-pixel border,
  // lies over the text box and must show above it. It is found by its own
  // window: raising it changes the z-order the children are listed in.
  const std::vector<ChildInfo> children = Children(salesf);
  const ChildInfo* box = nullptr;
  for (const ChildInfo* c : OfClass(children, "QuimbelPictureBox")) {
    if (c->rect.left == 370 && c->rect.top == 32 && c->rect.right - c->rect.left == 50)
      box = c;
  }
  ASSERT_NE(box, nullptr) << "the logo's picture box at (370, 32)";
  POINT inner{box->rect.left + 1, box->rect.top + 1};
  ClientToScreen(box->parent, &inner);
  Shot logo = CaptureScreen(inner.x, inner.y, 48, 48);
  const quimbel::base::Surface& picture = quimbel::assets::Logo();
  int same = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x)
      same += logo.At(x, y) == (picture.At(x, y) & 0xFFFFFF);
  }
  EXPECT_EQ(same, 48 * 48) << "the logo inside its border";
  // Its cyclists move on their own timer.
  Shot before = CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  Pump(300);
  Shot after = CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  EXPECT_NE(before.pixels, after.pixels);

  ChooseMenu(dialog, about);
  std::string caption;
  std::string text = AnswerMessageBox(program.pid(), IDOK, &caption);
  EXPECT_EQ(caption, "くいんべる　スクリーンセイバー Ver1.40");
  EXPECT_NE(text.find("くいんべる　スクリーンセイバー Ver1.40"), std::string::npos) << text;
  Pump(300);
  EXPECT_TRUE(IsWindow(dialog)) << "the About box leaves the dialog open";

  // Exit closes the introduction with the dialog; the program ends.
  Click(Find(all, "Button", "終了")->hwnd);
  ASSERT_TRUE(program.WaitForExit(5000));
  EXPECT_EQ(program.exitCode(), 0u);
}
