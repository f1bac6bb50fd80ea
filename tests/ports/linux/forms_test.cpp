#include "ports/linux/forms.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "base/runtime_error.hpp"
#include "ports/headless/screen.hpp"
#include "ports/linux/qt_app.hpp"

namespace quimbel::linux_port {
namespace {

template <class W>
W* Find(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* w = top->findChild<W*>(QString::fromUtf8(name)))
      return w;
  }
  return nullptr;
}

QWidget* TopLevel(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QString::fromUtf8(name))
      return top;
  }
  return nullptr;
}

// Runs the event loop until nothing is pending (deferred deletions included).
void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

class QtForms : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    screen.SetMetrics(1024, 768, 15);
  }
  headless::HeadlessScreen screen;
  QtFormFactory factory{screen};
};

TEST_F(QtForms, OuterSizeInTwipsLeavesAnExactClientAreaBelowTheMenuBar) {
  auto form = factory.CreateForm("frmTest");
  form->AddMenuCommand("終了(&X&ｻ)", [] {});
  platform::Submenu& help = form->AddSubmenu("ヘルプ(&H)");
  help.AddItem("バージョン情報(&A)", [] {});
  // Fit the client area to 540 × 330 the way a dialog does: by the difference.
  double wantW = form->OuterWidthTwips() + (540 - form->ClientWidthPx()) * 15.0;
  double wantH = form->OuterHeightTwips() + (330 - form->ClientHeightPx()) * 15.0;
  form->SetOuterWidthTwips(wantW);
  form->SetOuterHeightTwips(wantH);
  form->SetLeftTwips(1500);
  form->SetTopTwips(3000);
  EXPECT_EQ(form->ClientWidthPx(), 540);
  EXPECT_EQ(form->ClientHeightPx(), 330);
  QWidget* top = TopLevel("frmTest");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->pos(), QPoint(100, 200));
  // The menu bar sits above the client area and keeps both access-key marks.
  QMenuBar* bar = top->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_GT(bar->height(), 0);
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("終了(&X&ｻ)"));
}

// Qt elides a menu text that does not fit; the help menu's captions carry two
// access-key marks each and must be drawn whole. A whole caption looks the
// same, pixel for pixel, in a menu with room to spare.
TEST_F(QtForms, MenuItemsWithTwoAccessKeyMarksAreDrawnWhole) {
  auto form = factory.CreateForm("frmTest");
  platform::Submenu& help = form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)");
  help.AddItem("使い方(&H&ｸ)", [] {});
  help.AddItem("ｿﾌﾄ紹介(&E&ｲ)", [] {});
  help.AddItem("ﾊﾞｰｼﾞｮﾝ(&A)", [] {});
  QMenu* menu = TopLevel("frmTest")->findChild<QMenu*>();
  ASSERT_NE(menu, nullptr);
  menu->adjustSize();
  const QImage asBuilt = menu->grab().toImage();
  menu->setMinimumWidth(asBuilt.width() + 200);
  menu->adjustSize();
  const QImage roomy = menu->grab().toImage();
  ASSERT_GT(asBuilt.width(), 20);
  ASSERT_EQ(asBuilt.height(), roomy.height());
  // The right-hand frame moves with the width; everything left of it stays.
  const QRect textSide(0, 0, asBuilt.width() - 8, asBuilt.height());
  EXPECT_EQ(asBuilt.copy(textSide), roomy.copy(textSide));
}

TEST_F(QtForms, OptionButtonsAreExclusiveOnlyWithinTheirContainer) {
  auto form = factory.CreateForm("frmOpt");
  platform::Panel& left = form->AddPanel("PanelA", true);
  platform::Panel& right = form->AddPanel("PanelB", false);
  platform::OptionButton& a0 = left.AddOptionButton("A0");
  platform::OptionButton& a1 = left.AddOptionButton("A1");
  platform::OptionButton& b0 = right.AddOptionButton("B0");
  a0.SetValue(true);
  b0.SetValue(true);
  a1.SetValue(true);
  EXPECT_FALSE(a0.Value());
  EXPECT_TRUE(a1.Value());
  EXPECT_TRUE(b0.Value());
  // Clearing the selected one is allowed too.
  a1.SetValue(false);
  EXPECT_FALSE(a1.Value());
  // Children are placed inside the panel's border.
  left.SetWidth(100);
  left.SetHeight(60);
  a0.SetLeft(0);
  a0.SetTop(0);
  QRadioButton* radio = Find<QRadioButton>("A0");
  ASSERT_NE(radio, nullptr);
  QWidget* panel = Find<QWidget>("PanelA");
  EXPECT_GT(radio->mapTo(panel, QPoint(0, 0)).x(), 0);
}

TEST_F(QtForms, DropDownListsStartUnselectedAndRefuseIndexesOutsideTheList) {
  auto form = factory.CreateForm("frmList");
  platform::DropDownList& list = form->AddDropDownList("ComboType");
  EXPECT_EQ(list.ListIndex(), -1);
  list.AddItem("ころみゅう");
  list.AddItem("ギアボン");
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.ItemText(1), "ギアボン");
  EXPECT_EQ(list.ItemText(2), "");
  list.SetListIndex(1);
  EXPECT_THROW(list.SetListIndex(2), base::RuntimeError);
  EXPECT_THROW(list.SetListIndex(-2), base::RuntimeError);
  EXPECT_EQ(list.ListIndex(), 1);
  list.SetListIndex(-1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_FALSE(Find<QComboBox>("ComboType")->isEditable());
}

TEST_F(QtForms, CaptionsShowAmpersandsLiterallyAndLabelsBreakLines) {
  auto form = factory.CreateForm("frmText");
  platform::PushButton& button = form->AddPushButton("Cmd");
  button.SetText("A&B");
  platform::Label& label = form->AddLabel("Lbl");
  label.SetText("一行目\r\n二行目");
  label.SetFontFace("ＭＳ Ｐゴシック");
  label.SetFontSize(10.5);
  label.SetFontBold(true);
  EXPECT_EQ(Find<QPushButton>("Cmd")->text(), QStringLiteral("A&&B"));
  QLabel* qlabel = Find<QLabel>("Lbl");
  EXPECT_EQ(qlabel->text(), QStringLiteral("一行目\n二行目"));
  EXPECT_DOUBLE_EQ(qlabel->font().pointSizeF(), 10.5);
  EXPECT_TRUE(qlabel->font().bold());
  EXPECT_EQ(qlabel->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST_F(QtForms, AHandlerMayDestroyItsOwnFormEvenFromTheKeyboard) {
  std::unique_ptr<platform::Form> form = factory.CreateForm("frmSelf");
  platform::PushButton& ok = form->AddPushButton("OK");
  int clicks = 0;
  ok.SetOnClick([&] {
    ++clicks;
    form.reset();
  });
  form->Show();
  QPushButton* button = Find<QPushButton>("OK");
  ASSERT_NE(button, nullptr);
  // Enter on the focused button clicks it, as Space would.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(button, &enter);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form, nullptr);
  Settle();
  EXPECT_EQ(TopLevel("frmSelf"), nullptr);
}

TEST_F(QtForms, CloseBoxAsksTheCoreAndTimersTickUntilTheFormIsGone) {
  std::unique_ptr<platform::Form> form = factory.CreateForm("frmClose");
  int asked = 0, ticks = 0;
  form->SetOnCloseRequest([&] { ++asked; });
  form->StartTimer(1, [&] { ++ticks; });
  form->Show();
  QWidget* top = TopLevel("frmClose");
  top->close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(top->isVisible());  // the core did not close it
  QTimer wait;
  wait.setSingleShot(true);
  wait.start(30);
  while (wait.isActive())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  EXPECT_GT(ticks, 0);
  form.reset();
  int before = ticks;
  Settle();
  EXPECT_EQ(ticks, before);
}

}  // namespace
}  // namespace quimbel::linux_port
