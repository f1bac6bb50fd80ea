// The settings dialog through the headless port: its layout at two screen
// densities, its lists and selections, and what its buttons and menus do.
#include <optional>
#include <string>
#include <vector>

#include "base/runtime_error.hpp"
#include "scenario/ui_fixture.hpp"
#include "ui/dialog_commands.hpp"

using namespace quimbel;
using quimbel::testing::UiTest;

namespace {

struct Expected {
  const char* name;
  const char* container;
  const char* text;
  bool bold;
  int left, top, width;
  std::optional<int> height;  // none: a list, sized by its font
  std::optional<int> font;    // as given at 96 dpi; none: no font
};

const std::vector<Expected> kLayout = {
    {"LabelTitle", "frmSet", "くいんべるスクリーンセイバー　設定", true, 10, 10, 520, 30, 16},
    {"PictureSelect", "frmSet", "", false, 10, 50, 520, 180, {}},
    {"PictureType", "PictureSelect", "", false, 144, 16, 360, 33, {}},
    {"PictureMusic", "PictureSelect", "", false, 144, 56, 360, 33, {}},
    {"LabelType(0)", "PictureSelect", "セイバータイプ", true, 10, 20, 130, 33, 11},
    {"LabelType(1)", "PictureSelect", "ミュージック", true, 10, 60, 130, 33, 11},
    {"LabelType(2)", "PictureSelect", "キャラの数", true, 10, 100, 130, 33, 11},
    {"LabelType(3)", "PictureSelect", "　　〃　　種類", true, 10, 140, 130, 33, 11},
    {"OptionType(0)", "PictureType", "デスクトップ１", true, 0, 0, 118, 33, 9},
    {"OptionType(1)", "PictureType", "ブラック", true, 118, 0, 118, 33, 9},
    {"OptionType(2)", "PictureType", "デスクトップ２", true, 236, 0, 118, 33, 9},
    {"OptionMusic(0)", "PictureMusic", "Off", true, 0, 0, 118, 33, 11},
    {"OptionMusic(1)", "PictureMusic", "Wav", true, 118, 0, 118, 33, 11},
    {"OptionMusic(2)", "PictureMusic", "Mid", true, 236, 0, 118, 33, 11},
    {"ComboCarasu", "PictureSelect", "", false, 144, 100, 90, {}, 14},
    {"ComboType", "PictureSelect", "", false, 144, 136, 180, {}, 14},
    {"CommandButton(0)", "frmSet", "変更", true, 216, 255, 105, 40, 11},
    {"CommandButton(1)", "frmSet", "ヘルプ", true, 320, 255, 105, 40, 11},
    {"CommandButton(2)", "frmSet", "終了", true, 424, 255, 105, 40, 11},
    {"Image1", "frmSet", "", false, 10, 240, 80, 80, {}},
};

class SettingsLayoutTest : public UiTest, public ::testing::WithParamInterface<double> {};

TEST_P(SettingsLayoutTest, EveryControlInItsPlaceWithItsFont) {
  double tpp = GetParam();
  hp.screen.SetMetrics(1280, 1024, 1440 / tpp);
  Configure();
  headless::FormRecord& set = *Set();
  EXPECT_EQ(set.caption, "Saver Setting");
  EXPECT_EQ(set.iconSets, 1);
  EXPECT_TRUE(set.visible);
  EXPECT_EQ(set.clientWidthPx, 540);
  EXPECT_EQ(set.clientHeightPx, 330);
  EXPECT_EQ(set.leftPx, (1280 - 540 - set.FrameWidthPx() + 1) / 2);
  EXPECT_EQ(set.topPx, (1024 - 330 - set.FrameHeightPx() + 1) / 2);
  EXPECT_EQ(set.calls.back(), "Show") << "shown only once laid out";

  ASSERT_EQ(set.controls.size(), kLayout.size());
  for (const Expected& e : kLayout) {
    SCOPED_TRACE(e.name);
    headless::ControlRecord& c = set.Control(e.name);
    EXPECT_EQ(c.container, e.container);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.left, e.left);
    EXPECT_EQ(c.top, e.top);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    if (e.font) {
      EXPECT_EQ(c.fontFace, "ＭＳ 明朝");
      EXPECT_EQ(c.bold, e.bold);
      // floor(n × tpp / 15): 16, 14, 11, 9 become 12, 11, 8, 7 at 12 twips per pixel.
      int points = *e.font * static_cast<int>(tpp) / 15;
      EXPECT_EQ(c.fontSize, points);
    } else {
      EXPECT_FALSE(c.fontSize.has_value());
    }
  }
  EXPECT_EQ(set.Control("Image1").pictureSets, 1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, SettingsLayoutTest, ::testing::Values(15.0, 12.0));

TEST_F(UiTest, SettingsDialogColoursAndMenus) {
  Configure();
  headless::FormRecord& set = *Set();
  auto rgb = [](int r, int g, int b) { return platform::Colour::FromRgb(r, g, b); };
  EXPECT_EQ(set.Control("PictureSelect").back, rgb(0, 192, 192));
  EXPECT_EQ(set.Control("LabelTitle").back, rgb(0, 128, 128));
  for (const char* name :
       {"PictureType", "PictureMusic", "OptionType(0)", "OptionType(1)", "OptionType(2)"})
    EXPECT_EQ(set.Control(name).back, rgb(192, 192, 192)) << name;

  ASSERT_EQ(set.menus.size(), 3u);
  EXPECT_EQ(set.menus[0].caption, "終了(&X&ｻ)");
  EXPECT_TRUE(set.menus[0].onChoose);
  EXPECT_EQ(set.menus[1].caption, "登録(&S&ﾄ)");
  EXPECT_TRUE(set.menus[1].onChoose);
  EXPECT_EQ(set.menus[2].caption, "ﾍﾙﾌﾟ(&H&ｸ)");
  EXPECT_FALSE(set.menus[2].onChoose) << "only opens its submenu";
  std::vector<std::string> items;
  for (auto& item : set.menus[2].items)
    items.push_back(item.first);
  EXPECT_EQ(items, (std::vector<std::string>{"使い方(&H&ｸ)", "ｿﾌﾄ紹介(&E&ｲ)", "ﾊﾞｰｼﾞｮﾝ(&A)"}));
}

TEST_F(UiTest, EmptyStoreSelectsTheDefaults) {
  Configure();
  headless::FormRecord& set = *Set();
  EXPECT_EQ(SelectedOption("OptionType"), "ブラック");
  EXPECT_EQ(SelectedOption("OptionMusic"), "Mid");
  EXPECT_EQ(Selected(set.Control("ComboCarasu")), "20");
  EXPECT_EQ(Selected(set.Control("ComboType")), "(オールキャスト)");

  const auto& counts = set.Control("ComboCarasu").items;
  ASSERT_EQ(counts.size(), 50u);
  EXPECT_EQ(counts.front(), "1");
  EXPECT_EQ(counts[8], "9");
  EXPECT_EQ(counts[9], "10");
  EXPECT_EQ(counts.back(), "50");
  EXPECT_EQ(
      set.Control("ComboType").items,
      (std::vector<std::string>{"ころみゅう", "耳ながおじさん", "ギアボン", "ピコラタ", "ぺぷちん",
                                "くいんべる", "ズンベラ君", "(ランダム)", "(オールキャスト)"}));
}

TEST_F(UiTest, StoredSettingsAreSelected) {
  struct Case {
    const char *count, *type, *saver, *music;
    const char *countShown, *typeShown, *saverShown, *musicShown;
  };
  const Case cases[] = {
      {"1", "0", "1", "0", "1", "ころみゅう", "デスクトップ１", "Off"},
      {"50", "7", "3", "1", "50", "(ランダム)", "デスクトップ２", "Wav"},
      {"13", "6", "2", "2", "13", "ズンベラ君", "ブラック", "Mid"},
      // Only a hand edit stores these: each group falls back to its default.
      {"0", "9", "4", "3", "20", "(オールキャスト)", "ブラック", "Mid"},
      {"51", "-1", "0", "-1", "20", "(オールキャスト)", "ブラック", "Mid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    headless::HeadlessPlatform p;
    app::Program prog{p.platform};
    p.store.Set("number of cara", c.count);
    p.store.Set("type of cara", c.type);
    p.store.Set("saver type", c.saver);
    p.store.Set("music mode", c.music);
    p.process.commandLine = "/c";
    app::RunMain(prog);
    headless::FormRecord* set = p.forms.Open("frmSet");
    ASSERT_NE(set, nullptr);
    EXPECT_FALSE(p.process.Ended());
    EXPECT_EQ(Selected(set->Control("ComboCarasu")), c.countShown);
    EXPECT_EQ(Selected(set->Control("ComboType")), c.typeShown);
    int saverSelected = 0, musicSelected = 0;
    for (auto* o : set->Controls("OptionType(")) {
      if (o->value) {
        ++saverSelected;
        EXPECT_EQ(o->text, c.saverShown);
      }
    }
    for (auto* o : set->Controls("OptionMusic(")) {
      if (o->value) {
        ++musicSelected;
        EXPECT_EQ(o->text, c.musicShown);
      }
    }
    EXPECT_EQ(saverSelected, 1);
    EXPECT_EQ(musicSelected, 1);
  }
}

TEST_F(UiTest, TheOpenDialogRefusesASecondStart) {
  Configure();
  headless::HeadlessPlatform second;
  second.process.openTitles = hp.process.openTitles;
  app::Program other{second.platform};
  second.process.commandLine = "/c";
  app::RunMain(other);
  EXPECT_TRUE(second.process.Ended());
  EXPECT_TRUE(second.forms.created.empty());
  // Closed, its title is gone.
  Set()->Control("CommandButton(2)").Click();
  EXPECT_EQ(hp.process.openTitles.count("Saver Setting"), 0u);
}

// Chooses "デスクトップ２", "Off", "50", "(ランダム)".
void ChooseOtherSettings(headless::FormRecord& set) {
  set.Control("OptionType(2)").Select();
  set.Control("OptionMusic(0)").Select();
  set.Control("ComboCarasu").Pick(49);
  set.Control("ComboType").Pick(7);
}

TEST_F(UiTest, ChangeAnsweredNoChangesNothing) {
  hp.store.Set("number of cara", "12");
  Configure();
  ChooseOtherSettings(*Set());
  Set()->Control("CommandButton(0)").Click();  // unanswered: the default button, No
  ASSERT_EQ(hp.messageBoxes.shown.size(), 1u);
  const headless::ShownBox& box = hp.messageBoxes.shown[0];
  EXPECT_EQ(box.text, "変更しますか。\r\n");
  EXPECT_EQ(box.caption, "くいんべる　スクリーンセイバー Ver1.40");
  EXPECT_EQ(box.flags, 292);
  EXPECT_TRUE(hp.store.writeLog.empty());
  EXPECT_EQ(program.settings.CaraCount, 12);
  EXPECT_EQ(program.settings.SaverType, 2);
  EXPECT_NE(Set(), nullptr);
  EXPECT_EQ(Selected(Set()->Control("ComboCarasu")), "50") << "the choices stay";
  EXPECT_FALSE(hp.process.Ended());
}

TEST_F(UiTest, ChangeAnsweredYesStoresAndClosesEverything) {
  Configure();
  Set()->ChooseMenu("ﾍﾙﾌﾟ(&H&ｸ)", "使い方(&H&ｸ)");
  Set()->ChooseMenu("ﾍﾙﾌﾟ(&H&ｸ)", "ｿﾌﾄ紹介(&E&ｲ)");
  ASSERT_NE(Help(), nullptr);
  ASSERT_NE(Intro(), nullptr);
  ChooseOtherSettings(*Set());
  hp.messageBoxes.answers.push_back(platform::kIdYes);
  Set()->Control("CommandButton(0)").Click();
  EXPECT_EQ(program.settings.SaverType, 3);
  EXPECT_EQ(program.settings.MusicMode, 0);
  EXPECT_EQ(program.settings.CaraCount, 50);
  EXPECT_EQ(program.settings.CaraType, 7);
  EXPECT_EQ(hp.store.Get("saver type"), "3");
  EXPECT_EQ(hp.store.Get("music mode"), "0");
  EXPECT_EQ(hp.store.Get("number of cara"), "50");
  EXPECT_EQ(hp.store.Get("type of cara"), "7");
  EXPECT_EQ(Set(), nullptr);
  EXPECT_EQ(Help(), nullptr);
  EXPECT_EQ(Intro(), nullptr);
  EXPECT_TRUE(hp.process.Ended()) << "no window is left";
  EXPECT_EQ(hp.process.exitCode, 0);
  EXPECT_TRUE(hp.process.openTitles.empty());
}

TEST_F(UiTest, MenuSetAsksLikeTheButton) {
  Configure();
  Set()->ChooseMenu("登録(&S&ﾄ)");
  ASSERT_EQ(hp.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(hp.messageBoxes.shown[0].flags, 292);
  EXPECT_NE(Set(), nullptr);
  hp.messageBoxes.answers.push_back(platform::kIdYes);
  Set()->ChooseMenu("登録(&S&ﾄ)");
  EXPECT_EQ(hp.store.writeLog.size(), 4u);
  EXPECT_EQ(hp.store.Get("type of cara"), "8") << "the shown defaults are stored";
  EXPECT_EQ(Set(), nullptr);
}

TEST_F(UiTest, ExitClosesHelpAndIntroductionWithoutStoring) {
  for (bool byMenu : {false, true}) {
    SCOPED_TRACE(byMenu);
    headless::HeadlessPlatform p;
    app::Program prog{p.platform};
    p.process.commandLine = "/c";
    app::RunMain(prog);
    headless::FormRecord* set = p.forms.Open("frmSet");
    ASSERT_NE(set, nullptr);
    set->Control("CommandButton(1)").Click();
    set->ChooseMenu("ﾍﾙﾌﾟ(&H&ｸ)", "ｿﾌﾄ紹介(&E&ｲ)");
    ASSERT_NE(p.forms.Open("frmHelp"), nullptr);
    ASSERT_NE(p.forms.Open("salesf"), nullptr);
    if (byMenu)
      set->ChooseMenu("終了(&X&ｻ)");
    else
      set->Control("CommandButton(2)").Click();
    EXPECT_TRUE(p.messageBoxes.shown.empty()) << "nothing is asked";
    EXPECT_TRUE(p.store.writeLog.empty());
    EXPECT_EQ(p.forms.Open("frmSet"), nullptr);
    EXPECT_EQ(p.forms.Open("frmHelp"), nullptr);
    EXPECT_EQ(p.forms.Open("salesf"), nullptr);
    EXPECT_TRUE(p.process.Ended());
  }
}

TEST_F(UiTest, TheCloseBoxClosesOnlyTheDialog) {
  Configure();
  Set()->Control("CommandButton(1)").Click();
  Set()->RequestClose();
  EXPECT_EQ(Set(), nullptr);
  ASSERT_NE(Help(), nullptr) << "the help window stays";
  EXPECT_FALSE(hp.process.Ended());
  EXPECT_TRUE(hp.store.writeLog.empty());
  Help()->RequestClose();
  EXPECT_TRUE(hp.process.Ended()) << "the last window is gone";
}

TEST_F(UiTest, ARefusedStoreShowsTheErrorBoxAndKeepsTheDialog) {
  Configure();
  ChooseOtherSettings(*Set());
  hp.store.failAfterWrites = 2;
  hp.messageBoxes.answers.push_back(platform::kIdYes);
  Set()->Control("CommandButton(0)").Click();
  ASSERT_EQ(hp.messageBoxes.shown.size(), 2u);
  const headless::ShownBox& box = hp.messageBoxes.shown[1];
  base::RuntimeError expected = base::RuntimeError::StoreFailure("write refused");
  EXPECT_EQ(box.text, "エラー番号 =  75、" + expected.Source() + " でエラーが発生しました。 \r" +
                          expected.Description());
  EXPECT_EQ(box.caption, "エラー");
  EXPECT_EQ(box.flags, 0);
  EXPECT_EQ(box.helpFile, expected.HelpFile());
  EXPECT_EQ(box.helpContext, expected.HelpContext());
  EXPECT_NE(Set(), nullptr) << "the dialog stays open";
  EXPECT_FALSE(hp.process.Ended());
  EXPECT_EQ(hp.store.writeLog, (std::vector<std::string>{"number of cara", "type of cara"}));
  EXPECT_EQ(hp.store.Get("number of cara"), "50");
  EXPECT_FALSE(hp.store.Get("saver type").has_value());
  EXPECT_EQ(program.settings.MusicMode, 0) << "assigned before the save";
}

TEST_F(UiTest, ErrorBoxTextCarriesTheNumberItsSignAndSource) {
  EXPECT_EQ(ui::ErrorBoxText(base::RuntimeError(6, "src", "Overflow")),
            "エラー番号 =  6、src でエラーが発生しました。 \rOverflow");
  EXPECT_EQ(ui::ErrorBoxText(base::RuntimeError(-3, "x", "d")),
            "エラー番号 = -3、x でエラーが発生しました。 \rd");
}

TEST_F(UiTest, TheDialogClosedDuringTheConfirmationStoresNothing) {
  Configure();
  hp.messageBoxes.answers.push_back(platform::kIdYes);
  hp.messageBoxes.whileOpen = [this] { Set()->RequestClose(); };
  Set()->Control("CommandButton(0)").Click();
  EXPECT_TRUE(hp.store.writeLog.empty());
  EXPECT_TRUE(hp.process.Ended());
}

}  // namespace
