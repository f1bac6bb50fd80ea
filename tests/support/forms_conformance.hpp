#pragma once
// What every port's forms promise the core, written once and run against
// each port through a default-constructible driver that makes the port's
// FormFactory and acts as the user the way that port's input arrives. Forms
// are found by caption; texts are UTF-8 with CR LF breaks. The driver has:
// Factory(); LetTimePass() (the event loop runs a while: timers
// fall due, deferred destruction happens); Click(caption, buttonText) for push
// and option buttons; ChooseMenu(caption, menu, item) ("" item: a menu-bar
// command); RequestClose(caption) (the close box); Windows(caption) (top-level
// windows with that title, shown or not); Shown(caption); FoundByTitle(caption)
// (Process::TopLevelWindowExists; kFindsWindowsByTitle false skips it, for the
// reason in kNoTitleSearch); OuterCornerPx(caption); TextBoxText(caption).
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Port, FormsConformance, PortDriver);
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "base/runtime_error.hpp"
#include "platform/forms.hpp"

namespace quimbel::conformance {

template <class Driver>
class FormsConformance : public ::testing::Test {
 protected:
  Driver driver;

  std::unique_ptr<platform::Form> Make(const char* caption) {
    std::unique_ptr<platform::Form> form = driver.Factory().CreateForm("frmTest");
    form->SetCaption(caption);
    return form;
  }
  static void Place(platform::Control& control, int left, int top, int width, int height) {
    control.SetWidth(width);
    control.SetHeight(height);
    control.SetLeft(left);
    control.SetTop(top);
  }
  platform::PushButton& Button(platform::Container& in, const char* text, int top = 0) {
    platform::PushButton& button = in.AddPushButton("CommandButton");
    button.SetText(text);
    Place(button, 10, top, 100, 30);
    return button;
  }
};

TYPED_TEST_SUITE_P(FormsConformance);

// A dialog fits its client area by the difference between the client size
// it has and the one it wants; that is exact only if the frame and menu bar
// keep their sizes.
TYPED_TEST_P(FormsConformance, FittingTheOuterSizeGivesAnExactClientAreaAndCorner) {
  for (bool menu : {false, true}) {
    SCOPED_TRACE(testing::Message() << "menu bar " << menu);
    auto form = this->Make("大きさの確認");
    if (menu) {
      form->AddMenuCommand("終了(&X&ｻ)", [] {});
      form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)").AddItem("使い方(&H&ｸ)", [] {});
    }
    form->SetOuterWidthPx(form->OuterWidthPx() + (540 - form->ClientWidthPx()));
    form->SetOuterHeightPx(form->OuterHeightPx() + (330 - form->ClientHeightPx()));
    EXPECT_EQ(form->ClientWidthPx(), 540);
    EXPECT_EQ(form->ClientHeightPx(), 330);
    form->SetOuterWidthPx(form->OuterWidthPx() - 25);
    EXPECT_EQ(form->ClientWidthPx(), 515);
    EXPECT_EQ(form->ClientHeightPx(), 330);
    form->SetLeftPx(100);
    form->SetTopPx(50);
    EXPECT_FALSE(this->driver.Shown("大きさの確認")) << "a form is created hidden";
    form->Show();
    this->driver.LetTimePass();
    EXPECT_EQ(this->driver.OuterCornerPx("大きさの確認"), std::make_pair(100, 50));
    EXPECT_EQ(form->ClientWidthPx(), 515);
    EXPECT_EQ(form->ClientHeightPx(), 330);
  }
}

TYPED_TEST_P(FormsConformance, OptionButtonsAreGroupedByTheirContainer) {
  auto form = this->Make("選択の確認");
  platform::Panel& types = form->AddPanel("PictureType", true);
  platform::Panel& music = form->AddPanel("PictureMusic", false);
  this->Place(types, 0, 0, 300, 40);
  this->Place(music, 0, 50, 300, 40);
  auto add = [this](platform::Container& in, const std::string& text, int left, int top) {
    platform::OptionButton& option = in.AddOptionButton("Option");
    option.SetText(text);
    this->Place(option, left, top, 80, 20);
    return &option;
  };
  platform::OptionButton* t[3] = {add(types, "種類0", 0, 5), add(types, "種類1", 90, 5),
                                  add(types, "種類2", 180, 5)};
  platform::OptionButton* m[2] = {add(music, "音楽0", 0, 5), add(music, "音楽1", 90, 5)};
  platform::OptionButton* f[2] = {add(*form, "窓0", 0, 100), add(*form, "窓1", 90, 100)};
  form->Show();
  t[1]->SetValue(true);
  m[0]->SetValue(true);
  f[0]->SetValue(true);
  t[2]->SetValue(true);
  EXPECT_FALSE(t[1]->Value());
  EXPECT_TRUE(t[2]->Value());
  EXPECT_TRUE(m[0]->Value()) << "another panel keeps its choice";
  EXPECT_TRUE(f[0]->Value()) << "the form's own buttons keep theirs";
  this->driver.Click("選択の確認", "音楽1");
  EXPECT_TRUE(m[1]->Value());
  EXPECT_FALSE(m[0]->Value());
  EXPECT_TRUE(t[2]->Value());
  EXPECT_TRUE(f[0]->Value());
  this->driver.Click("選択の確認", "窓1");
  EXPECT_TRUE(f[1]->Value());
  EXPECT_FALSE(f[0]->Value());
  EXPECT_TRUE(t[2]->Value());
  EXPECT_TRUE(m[1]->Value());
  t[2]->SetValue(false);  // the program may clear the selected one
  EXPECT_FALSE(t[2]->Value());
  EXPECT_FALSE(t[0]->Value());
}

TYPED_TEST_P(FormsConformance, DropDownListsStartEmptyAndRefuseIndexesOutsideTheList) {
  auto form = this->Make("一覧の確認");
  platform::DropDownList& list = form->AddDropDownList("ComboType");
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ItemText(0), "");
  auto refused = [&list](int index) {
    try {
      list.SetListIndex(index);
    } catch (const base::RuntimeError& error) {
      return error.Number();
    }
    return 0;
  };
  EXPECT_EQ(refused(0), base::kInvalidCall);
  list.AddItem("ころみゅう");
  list.AddItem("(オールキャスト)");
  list.AddItem("");
  EXPECT_EQ(list.ListIndex(), -1) << "adding entries selects none";
  EXPECT_EQ(list.ItemCount(), 3);
  EXPECT_EQ(list.ItemText(1), "(オールキャスト)");
  EXPECT_EQ(list.ItemText(-1), "");
  EXPECT_EQ(list.ItemText(3), "");
  list.SetListIndex(1);
  EXPECT_EQ(refused(3), base::kInvalidCall);
  EXPECT_EQ(refused(-2), base::kInvalidCall);
  EXPECT_EQ(list.ListIndex(), 1) << "a refused index keeps the selection";
  list.SetListIndex(2);
  EXPECT_EQ(list.ListIndex(), 2);
  list.SetListIndex(-1);
  EXPECT_EQ(list.ListIndex(), -1);
}

// Every way the user acts reaches a handler that may destroy its own form:
// the handler runs once, the window goes, and the port touches nothing of
// the form afterwards (the sanitizers see to that).
TYPED_TEST_P(FormsConformance, AHandlerMayDestroyItsOwnForm) {
  const char* caption = "自分で閉じる";
  TypeParam& d = this->driver;
  const std::function<void()> acts[] = {[&] { d.Click(caption, "閉じる"); },
                                        [&] { d.Click(caption, "確定"); },
                                        [&] { d.ChooseMenu(caption, "終了", ""); },
                                        [&] { d.ChooseMenu(caption, "ヘルプ", "閉じる"); },
                                        [&] { d.RequestClose(caption); },
                                        [&] { d.LetTimePass(); }};
  for (std::size_t way = 0; way < std::size(acts); ++way) {
    SCOPED_TRACE(testing::Message() << "way " << way);
    auto form = this->Make(caption);
    int runs = 0;
    platform::Handler close = [&] {
      ++runs;
      form.reset();
    };
    this->Button(*form, "閉じる").SetOnClick(close);
    platform::Panel& panel = form->AddPanel("PictureSelect", true);
    this->Place(panel, 0, 40, 200, 100);
    this->Button(panel, "確定", 20).SetOnClick(close);
    form->AddMenuCommand("終了", close);
    platform::Submenu& help = form->AddSubmenu("ヘルプ");
    help.AddItem("使い方", [] {});
    help.AddItem("閉じる", close);
    form->SetOnCloseRequest(close);
    if (way == std::size(acts) - 1)
      form->StartTimer(5, close);
    form->Show();
    acts[way]();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(form, nullptr);
    d.LetTimePass();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(d.Windows(caption), 0);
  }
}

TYPED_TEST_P(FormsConformance, TimersTickWhileTheFormExistsAndNeverAfter) {
  auto form = this->Make("時計の確認");
  int ticks = 0;
  form->StartTimer(5, [&] { ++ticks; });
  this->driver.LetTimePass();
  EXPECT_GT(ticks, 0) << "a hidden form's timers tick too";
  form->Show();
  int shown = ticks;
  this->driver.LetTimePass();
  EXPECT_GT(ticks, shown);
  form.reset();
  int gone = ticks;
  this->driver.LetTimePass();
  this->driver.LetTimePass();
  EXPECT_EQ(ticks, gone);
}

TYPED_TEST_P(FormsConformance, OtherProgramsFindTheWindowByItsCaptionWhileTheFormExists) {
  if (!TypeParam::kFindsWindowsByTitle)
    GTEST_SKIP() << TypeParam::kNoTitleSearch;
  auto form = this->driver.Factory().CreateForm("frmSet");
  EXPECT_FALSE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 設定"));
  form->SetCaption("ｸｲﾝﾍﾞﾙ 設定");
  EXPECT_TRUE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 設定")) << "hidden";
  form->Show();
  this->driver.LetTimePass();
  EXPECT_TRUE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 設定")) << "shown";
  form->SetCaption("ｸｲﾝﾍﾞﾙ 情報");
  EXPECT_FALSE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 設定"));
  EXPECT_TRUE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 情報"));
  form.reset();
  this->driver.LetTimePass();
  EXPECT_FALSE(this->driver.FoundByTitle("ｸｲﾝﾍﾞﾙ 情報"));
}

// Show on a shown form and the close box leave one window, open.
TYPED_TEST_P(FormsConformance, TheWindowStaysOneAndOpenUntilTheProgramDestroysTheForm) {
  auto form = this->Make("閉じない窓");
  int asked = 0;
  form->SetOnCloseRequest([&] { ++asked; });
  EXPECT_EQ(this->driver.Windows("閉じない窓"), 1) << "the hidden window exists";
  form->Show();
  form->Show();
  this->driver.LetTimePass();
  form->Show();
  this->driver.RequestClose("閉じない窓");
  this->driver.LetTimePass();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(this->driver.Windows("閉じない窓"), 1);
  EXPECT_TRUE(this->driver.Shown("閉じない窓"));
}

TYPED_TEST_P(FormsConformance, JapaneseTextWithLineBreaksReadsBackAsSet) {
  auto form = this->Make("文字の確認");
  platform::TextBox& box = form->AddTextBox("Text1", {true, true});
  this->Place(box, 10, 10, 200, 100);
  const std::string text = "くいんべる　ｸｲﾝﾍﾞﾙ\r\n\r\n二行目の終わり。\r\n";
  box.SetText(text);
  form->Show();
  EXPECT_EQ(this->driver.TextBoxText("文字の確認"), text);
  box.SetText("");
  EXPECT_EQ(this->driver.TextBoxText("文字の確認"), "");
}

REGISTER_TYPED_TEST_SUITE_P(FormsConformance, FittingTheOuterSizeGivesAnExactClientAreaAndCorner,
                            OptionButtonsAreGroupedByTheirContainer,
                            DropDownListsStartEmptyAndRefuseIndexesOutsideTheList,
                            AHandlerMayDestroyItsOwnForm, TimersTickWhileTheFormExistsAndNeverAfter,
                            OtherProgramsFindTheWindowByItsCaptionWhileTheFormExists,
                            TheWindowStaysOneAndOpenUntilTheProgramDestroysTheForm,
                            JapaneseTextWithLineBreaksReadsBackAsSet);

}  // namespace quimbel::conformance
