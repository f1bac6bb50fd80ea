// Win32 forms through the core's control interface: exact client sizes from
// outer sizes in twips, option groups per panel, lists, fonts, menus with
// their second access key, handlers that close their own form, colours on
// the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>

#include "base/runtime_error.hpp"
#include "ports/win32/forms.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/win32_test_window.hpp"

using namespace quimbel;
using namespace quimbel::win32_port;
using platform::Colour;

namespace {

class FormsTest : public ::testing::Test {
 protected:
  std::unique_ptr<platform::Form> MakeForm(const char* caption) {
    auto form = factory.CreateForm("frmTest");
    form->SetCaption(caption);
    window = FindWindowW(L"QuimbelForm", Widen(caption).c_str());
    return form;
  }
  // The client size fixed the way the program does it: outer sizes in twips.
  void FitClient(platform::Form& form, int width, int height) {
    double tx = std::lround(screen.TwipsPerPixelX());
    double ty = std::lround(screen.TwipsPerPixelY());
    form.SetOuterWidthTwips(form.OuterWidthTwips() - tx * form.ClientWidthPx() + width * tx);
    form.SetOuterHeightTwips(form.OuterHeightTwips() - ty * form.ClientHeightPx() + height * ty);
    form.SetLeftTwips(100 * tx);
    form.SetTopTwips(50 * ty);
  }
  static HWND Child(HWND parent, const wchar_t* className, int index = 0) {
    HWND found = nullptr;
    for (HWND w = GetWindow(parent, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      wchar_t name[64] = {};
      GetClassNameW(w, name, 64);
      if (lstrcmpiW(name, className) == 0 && index-- == 0) {
        found = w;
        break;
      }
    }
    return found;
  }
  static bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  Win32Screen screen;
  Win32FormFactory factory{screen};
  HWND window = nullptr;
};

}  // namespace

TEST_F(FormsTest, ClientAreaIsExactWithAndWithoutMenuBar) {
  for (bool withMenu : {false, true}) {
    auto form = MakeForm(withMenu ? "with menu" : "without menu");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "created hidden";
    if (withMenu) {
      form->AddMenuCommand("終了(&X&ｻ)", [] {});
      form->AddMenuCommand("登録(&S&ﾄ)", [] {});
      form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)").AddItem("使い方(&H&ｸ)", [] {});
    }
    FitClient(*form, 540, 330);
    EXPECT_EQ(form->ClientWidthPx(), 540);
    EXPECT_EQ(form->ClientHeightPx(), 330);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 540);
    EXPECT_EQ(client.bottom, 330);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 50);
    EXPECT_DOUBLE_EQ(form->OuterWidthTwips(), (outer.right - outer.left) * screen.TwipsPerPixelX());
  }
}

TEST_F(FormsTest, OptionButtonsAreExclusiveWithinTheirPanelOnly) {
  auto form = MakeForm("options");
  platform::Panel& types = form->AddPanel("PictureType", false);
  platform::Panel& music = form->AddPanel("PictureMusic", false);
  platform::OptionButton* t[3];
  platform::OptionButton* m[3];
  for (int i = 0; i < 3; ++i) {
    t[i] = &types.AddOptionButton("OptionType");
    m[i] = &music.AddOptionButton("OptionMusic");
    for (platform::OptionButton* o : {t[i], m[i]}) {
      o->SetWidth(50);
      o->SetHeight(20);
      o->SetLeft(50 * i);
    }
  }
  types.SetWidth(150);
  types.SetHeight(20);
  music.SetWidth(150);
  music.SetHeight(20);
  music.SetTop(30);
  t[1]->SetValue(true);
  m[2]->SetValue(true);
  t[0]->SetValue(true);
  EXPECT_TRUE(t[0]->Value());
  EXPECT_FALSE(t[1]->Value());
  EXPECT_TRUE(m[2]->Value()) << "the other panel keeps its choice";

  // A user's click on a radio button of the music panel.
  HWND panel = Child(window, L"QuimbelPanel", 1);
  ASSERT_NE(panel, nullptr);
  HWND first = Child(panel, L"Button", 0);
  SendMessageW(first, BM_CLICK, 0, 0);
  EXPECT_TRUE(m[0]->Value());
  EXPECT_FALSE(m[2]->Value());
  EXPECT_TRUE(t[0]->Value());
  EXPECT_EQ(GetWindowLongW(first, GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
}

TEST_F(FormsTest, DropDownListPicksOnlyExistingEntries) {
  auto form = MakeForm("lists");
  platform::DropDownList& list = form->AddDropDownList("ComboCarasu");
  EXPECT_EQ(list.ListIndex(), -1);
  for (int i = 1; i <= 50; ++i)
    list.AddItem(std::to_string(i));
  list.AddItem("(オールキャスト)");
  EXPECT_EQ(list.ItemCount(), 51);
  EXPECT_EQ(list.ItemText(19), "20");
  EXPECT_EQ(list.ItemText(50), "(オールキャスト)");
  EXPECT_EQ(list.ItemText(51), "");
  list.SetListIndex(19);
  EXPECT_EQ(list.ListIndex(), 19);
  try {
    list.SetListIndex(51);
    ADD_FAILURE() << "an index past the end was accepted";
  } catch (const base::RuntimeError& error) {
    EXPECT_EQ(error.Number(), base::kInvalidCall);
  }
  EXPECT_EQ(list.ListIndex(), 19);
  list.SetListIndex(-1);
  EXPECT_EQ(list.ListIndex(), -1);
  HWND combo = Child(window, L"ComboBox");
  EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST) << "no typing";
}

TEST_F(FormsTest, FontsKeepFaceWeightJapaneseCharsetAndPointSize) {
  auto form = MakeForm("fonts");
  platform::Label& label = form->AddLabel("LabelTitle");
  label.SetFontFace("ＭＳ 明朝");
  label.SetFontBold(true);
  label.SetFontSize(11);
  HWND w = Child(window, L"Static");
  auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_EQ(Narrow(lf.lfFaceName), "ＭＳ 明朝");
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(lf.lfHeight, FontHeightForPoints(11, dpi));
  EXPECT_EQ(FontHeightForPoints(11, 96), -15);
  EXPECT_EQ(FontHeightForPoints(8, 120), -13);
  EXPECT_EQ(FontHeightForPoints(16, 96), -21);
}

TEST_F(FormsTest, MenusActOnEitherAccessKey) {
  auto form = MakeForm("menus");
  int closed = 0, set = 0, intro = 0;
  form->AddMenuCommand("終了(&X&ｻ)", [&] { ++closed; });
  form->AddMenuCommand("登録(&S&ﾄ)", [&] { ++set; });
  platform::Submenu& help = form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)");
  help.AddItem("使い方(&H&ｸ)", [] {});
  help.AddItem("ｿﾌﾄ紹介(&E&ｲ)", [&] { ++intro; });
  help.AddItem("ﾊﾞｰｼﾞｮﾝ(&A)", [] {});

  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  wchar_t text[64];
  GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
  EXPECT_EQ(Narrow(text), "終了(&X&ｻ)");
  HMENU popup = GetSubMenu(bar, 2);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetMenuItemCount(popup), 3);

  SendMessageW(window, WM_COMMAND, GetMenuItemID(bar, 1), 0);
  SendMessageW(window, WM_COMMAND, GetMenuItemID(popup, 1), 0);
  EXPECT_EQ(set, 1);
  EXPECT_EQ(intro, 1);
  EXPECT_EQ(closed, 0);

  auto menuChar = [&](wchar_t c, HMENU menu) {
    return SendMessageW(window, WM_MENUCHAR, MAKEWPARAM(c, 0), reinterpret_cast<LPARAM>(menu));
  };
  EXPECT_EQ(menuChar(L'\uFF7B', bar), MAKELRESULT(0, MNC_EXECUTE));  // ｻ
  EXPECT_EQ(menuChar(L'\uFF84', bar), MAKELRESULT(1, MNC_EXECUTE));  // ﾄ
  EXPECT_EQ(menuChar(L'x', bar), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(menuChar(L'\uFF72', popup), MAKELRESULT(1, MNC_EXECUTE));  // ｲ
  EXPECT_EQ(HIWORD(menuChar(L'q', bar)), MNC_IGNORE);
  EXPECT_EQ(AccessKeys(L"A&&B&c(&X&\uFF7B)"), L"cX\uFF7B");
}

TEST_F(FormsTest, HandlersMayDestroyTheirOwnForm) {
  std::unique_ptr<platform::Form> form = MakeForm("closing");
  int before = OpenWindowCount();
  int clicks = 0, closeRequests = 0;
  platform::PushButton& button = form->AddPushButton("CommandButton");
  button.SetText("終了");
  button.SetWidth(105);
  button.SetHeight(40);
  button.SetOnClick([&] {
    ++clicks;
    form.reset();
  });
  form->SetOnCloseRequest([&] { ++closeRequests; });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(closeRequests, 1);
  EXPECT_TRUE(IsWindow(window)) << "the program decides whether the window goes";

  HWND buttonWindow = Child(window, L"Button");
  SendMessageW(buttonWindow, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(OpenWindowCount(), before - 1);
  PumpMessages(20);
}

TEST_F(FormsTest, TimersTickWhileTheFormExists) {
  auto form = MakeForm("timers");
  int ticks = 0;
  form->StartTimer(10, [&] { ++ticks; });
  PumpMessages(150);
  EXPECT_GT(ticks, 2);
  form.reset();
  int after = ticks;
  PumpMessages(60);
  EXPECT_EQ(ticks, after);
}

TEST_F(FormsTest, ColoursAndPicturesReachTheScreen) {
  auto form = MakeForm("colours");
  FitClient(*form, 200, 120);
  platform::Label& label = form->AddLabel("LabelTitle");
  label.SetBackColour(Colour::FromRgb(0, 128, 128));
  label.SetWidth(100);
  label.SetHeight(20);
  label.SetLeft(10);
  label.SetTop(10);
  platform::Panel& panel = form->AddPanel("PictureSelect", false);
  panel.SetBackColour(Colour::FromRgb(0, 192, 192));
  panel.SetWidth(100);
  panel.SetHeight(60);
  panel.SetLeft(10);
  panel.SetTop(40);
  platform::ImageControl& image = panel.AddImage("Image1", false);
  engine::Icon icon;
  icon.colour.Reset(4, 4, 0xFF0000);
  icon.transparent.assign(16, false);
  icon.transparent[0] = true;
  image.SetIcon(icon);
  image.SetWidth(4);
  image.SetHeight(4);
  image.SetLeft(5);
  image.SetTop(5);
  platform::TextBox& text = form->AddTextBox("Text1", {true, true});
  text.SetText("一行目\r\n二行目");
  text.SetWidth(60);
  text.SetHeight(60);
  text.SetLeft(120);
  text.SetTop(10);
  form->Show();
  PumpMessages(250);

  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  engine::Surface shot(200, 120);
  ASSERT_TRUE(screen.Capture(shot, origin.x, origin.y, 200, 120));
  EXPECT_EQ(shot.At(50, 25), 0x008080u) << "label background";
  EXPECT_EQ(shot.At(100, 90), 0x00C0C0u) << "panel background";
  EXPECT_EQ(shot.At(15, 45), 0x00C0C0u) << "the icon's transparent corner";
  EXPECT_EQ(shot.At(16, 45), 0xFF0000u);
  EXPECT_EQ(shot.At(18, 48), 0xFF0000u);
  EXPECT_EQ(shot.At(150, 60), 0xFFFFFFu) << "a text box is white";

  HWND edit = Child(window, L"Edit");
  wchar_t content[64] = {};
  GetWindowTextW(edit, content, 64);
  EXPECT_EQ(Narrow(content), "一行目\r\n二行目");
  LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
}
