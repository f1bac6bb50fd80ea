// Win32 forms: what only Windows shows (native control styles, fonts, the
// menus' second access key, colours on the screen), and the contract every
// port's forms keep, acted on through window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ports/win32/forms.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/process.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/unicode.hpp"
#include "ports/win32/win32_test_window.hpp"
#include "support/forms_conformance.hpp"

using namespace quimbel;
using namespace quimbel::win32_port;
using platform::Colour;

namespace {

struct TitleSearch {
  std::wstring title;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<TitleSearch*>(search);
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  if (s->title == text)
    s->found.push_back(window);
  return TRUE;
}

// Every top-level window with exactly this title.
std::vector<HWND> TopLevels(const std::string& caption) {
  TitleSearch search{Widen(caption), {}};
  EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A control of the form, at any depth, by its class and text (empty: any).
HWND Descendant(HWND root, const wchar_t* className, const std::string& text) {
  for (HWND w = GetWindow(root, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {}, title[256] = {};
    GetClassNameW(w, name, 64);
    GetWindowTextW(w, title, 256);
    if (lstrcmpiW(name, className) == 0 && (text.empty() || Widen(text) == title))
      return w;
    if (HWND inside = Descendant(w, className, text))
      return inside;
  }
  return nullptr;
}

class FormsTest : public ::testing::Test {
 protected:
  std::unique_ptr<platform::Form> MakeForm(const char* caption) {
    auto form = factory.CreateForm("frmTest");
    form->SetCaption(caption);
    window = FindWindowW(L"QuimbelForm", Widen(caption).c_str());
    return form;
  }
  Win32Screen screen;
  Win32FormFactory factory;
  HWND window = nullptr;
};

}  // namespace

TEST_F(FormsTest, FontsKeepFaceWeightJapaneseCharsetAndPointSize) {
  auto form = MakeForm("fonts");
  platform::Label& label = form->AddLabel("LabelTitle");
  label.SetFontFace("ＭＳ 明朝");
  label.SetFontBold(true);
  label.SetFontSize(11);
  HWND w = Descendant(window, L"Static", "");
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
  form->AddMenuCommand("終了(&X&ｻ)", [] {});
  form->AddMenuCommand("登録(&S&ﾄ)", [] {});
  platform::Submenu& help = form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)");
  help.AddItem("使い方(&H&ｸ)", [] {});
  help.AddItem("ｿﾌﾄ紹介(&E&ｲ)", [] {});
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

TEST_F(FormsTest, ColoursAndPicturesReachTheScreen) {
  auto form = MakeForm("colours");
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
  base::Icon icon;
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
  base::Surface shot(200, 120);
  ASSERT_TRUE(screen.Capture(shot, origin.x, origin.y, 200, 120));
  EXPECT_EQ(shot.At(50, 25), 0x008080u) << "label background";
  EXPECT_EQ(shot.At(100, 90), 0x00C0C0u) << "panel background";
  EXPECT_EQ(shot.At(15, 45), 0x00C0C0u) << "the icon's transparent corner";
  EXPECT_EQ(shot.At(16, 45), 0xFF0000u);
  EXPECT_EQ(shot.At(18, 48), 0xFF0000u);
  EXPECT_EQ(shot.At(150, 60), 0xFFFFFFu) << "a text box is white";

  LONG style = GetWindowLongW(Descendant(window, L"Edit", ""), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
}

// The dialog keyboard's arrow keys select the next option button of the
// same panel; lists take no typing.
TEST_F(FormsTest, ArrowKeysSelectOptionButtonsAndListsCannotBeTypedInto) {
  auto form = MakeForm("keys");
  form->AddDropDownList("ComboType");
  platform::Panel& panel = form->AddPanel("PictureMusic", false);
  panel.SetWidth(200);
  panel.SetHeight(30);
  platform::OptionButton* option[2];
  for (int i = 0; i < 2; ++i) {
    option[i] = &panel.AddOptionButton("OptionMusic");
    option[i]->SetWidth(80);
    option[i]->SetHeight(20);
    option[i]->SetLeft(90 * i);
  }
  option[0]->SetValue(true);
  form->Show();
  HWND first = Descendant(window, L"Button", "");
  SetFocus(first);
  MSG down{first, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
  DispatchOne(down);
  PumpMessages(20);
  EXPECT_TRUE(option[1]->Value());
  EXPECT_FALSE(option[0]->Value());
  EXPECT_EQ(GetWindowLongW(Descendant(window, L"ComboBox", ""), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

namespace {

struct Win32FormsDriver {
  static constexpr bool kFindsWindowsByTitle = true;
  static constexpr const char* kNoTitleSearch = "";
  Win32FormFactory factory;
  Win32Process process;
  ~Win32FormsDriver() { PumpMessages(0); }

  platform::FormFactory& Factory() { return factory; }
  static HWND Window(const std::string& caption) {
    std::vector<HWND> found = TopLevels(caption);
    EXPECT_EQ(found.size(), 1u) << caption;
    return found.empty() ? nullptr : found.front();
  }
  void LetTimePass() { PumpMessages(80); }
  // A click as the button reports it, with the button's own mouse handling.
  void Click(const std::string& caption, const std::string& text) {
    HWND button = Descendant(Window(caption), L"Button", text);
    ASSERT_NE(button, nullptr) << text;
    SendMessageW(button, BM_CLICK, 0, 0);
  }

  // The menu loop posts the chosen item's command to the window.
  void ChooseMenu(const std::string& caption, const std::string& menu, const std::string& item) {
    HWND window = Window(caption);
    HMENU bar = GetMenu(window);
    auto find = [](HMENU in, const std::string& text) {
      wchar_t label[128];
      for (int i = 0; i < GetMenuItemCount(in); ++i) {
        if (GetMenuStringW(in, i, label, 128, MF_BYPOSITION) > 0 && Widen(text) == label)
          return i;
      }
      return -1;
    };
    int at = find(bar, menu);
    ASSERT_GE(at, 0) << menu;
    HMENU popup = GetSubMenu(bar, at);
    UINT id = item.empty() ? GetMenuItemID(bar, at) : GetMenuItemID(popup, find(popup, item));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages(20);
  }
  // What the close box sends.
  void RequestClose(const std::string& caption) {
    PostMessageW(Window(caption), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages(20);
  }
  int Windows(const std::string& caption) { return static_cast<int>(TopLevels(caption).size()); }
  bool Shown(const std::string& caption) { return IsWindowVisible(Window(caption)) != FALSE; }
  bool FoundByTitle(const std::string& caption) { return process.TopLevelWindowExists(caption); }
  std::pair<int, int> OuterCornerPx(const std::string& caption) {
    RECT r{};
    GetWindowRect(Window(caption), &r);
    return {r.left, r.top};
  }
  std::string TextBoxText(const std::string& caption) {
    HWND edit = Descendant(Window(caption), L"Edit", "");
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
  }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormsConformance, Win32FormsDriver);
}  // namespace quimbel::conformance
