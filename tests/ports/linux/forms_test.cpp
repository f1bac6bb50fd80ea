// Qt forms: what only Qt shows (access keys, fonts, the widgets chosen), and
// the contract every port's forms keep, acted on through Qt's own events.
#include "ports/linux/qt/forms.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "ports/linux/qt_app.hpp"
#include "support/forms_conformance.hpp"

namespace quimbel::linux_port {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Runs the event loop for a while, deferred deletions included.
void Settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (clock.elapsed() < ms);
}

struct QtFormsDriver {
  static constexpr bool kFindsWindowsByTitle = false;
  static constexpr const char* kNoTitleSearch =
      "Qt's offscreen platform makes no X windows; tests/e2e/run-linux.sh finds the open "
      "settings dialog by its title on a real X server when it refuses a second start";
  QtFormsDriver() { TestApp(); }
  ~QtFormsDriver() { Settle(0); }
  QtFormFactory factory;

  platform::FormFactory& Factory() { return factory; }
  static QWidget* Window(const std::string& caption) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowTitle() == Q(caption))
        return top;
    }
    ADD_FAILURE() << "no window " << caption;
    throw std::out_of_range(caption);
  }
  // A left click in the middle of the button, as the mouse delivers it.
  void Click(const std::string& caption, const std::string& text) {
    QAbstractButton* widget = nullptr;
    for (QAbstractButton* button : Window(caption)->findChildren<QAbstractButton*>())
      widget = button->text() == Q(text) ? button : widget;
    ASSERT_NE(widget, nullptr) << text;
    QPointF centre = QRectF(widget->rect()).center();
    QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
  }

  void LetTimePass() { Settle(60); }
  void ChooseMenu(const std::string& caption, const std::string& menu, const std::string& item) {
    for (QAction* entry : Window(caption)->findChild<QMenuBar*>()->actions()) {
      if (entry->text() != Q(menu))
        continue;
      if (item.empty())
        return entry->trigger();
      for (QAction* action : entry->menu()->actions()) {
        if (action->text() == Q(item))
          return action->trigger();
      }
    }
    ADD_FAILURE() << "no menu " << menu << " / " << item;
  }
  // As the window manager asks: through the window, not the widget.
  void RequestClose(const std::string& caption) { Window(caption)->windowHandle()->close(); }
  int Windows(const std::string& caption) {
    int count = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
      count += top->windowTitle() == Q(caption);
    return count;
  }
  bool Shown(const std::string& caption) { return Window(caption)->isVisible(); }
  bool FoundByTitle(const std::string&) { return false; }
  std::pair<int, int> OuterCornerPx(const std::string& caption) {
    QPoint corner = Window(caption)->frameGeometry().topLeft();
    return {corner.x(), corner.y()};
  }
  std::string TextBoxText(const std::string& caption) {
    QWidget* window = Window(caption);
    QString text;
    if (auto* box = window->findChild<QPlainTextEdit*>())
      text = box->toPlainText();
    else
      text = window->findChild<QLineEdit*>()->text();
    return text.replace(QChar('\n'), QStringLiteral("\r\n")).toStdString();
  }
};

// The Qt-only checks build forms through the same driver.
class QtForms : public ::testing::Test {
 protected:
  QtFormsDriver driver;
  platform::FormFactory& factory = driver.Factory();
};

// Qt elides a menu text that does not fit; the help menu's captions carry two
// access-key marks each and must be drawn whole. A whole caption looks the
// same, pixel for pixel, in a menu with room to spare.
TEST_F(QtForms, MenuItemsWithTwoAccessKeyMarksAreDrawnWhole) {
  auto form = factory.CreateForm("frmTest");
  form->SetCaption("menus");
  form->AddMenuCommand("終了(&X&ｻ)", [] {});
  platform::Submenu& help = form->AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)");
  help.AddItem("使い方(&H&ｸ)", [] {});
  help.AddItem("ｿﾌﾄ紹介(&E&ｲ)", [] {});
  help.AddItem("ﾊﾞｰｼﾞｮﾝ(&A)", [] {});
  QMenuBar* bar = driver.Window("menus")->findChild<QMenuBar*>();
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("終了(&X&ｻ)"));
  QMenu* menu = driver.Window("menus")->findChild<QMenu*>();
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

TEST_F(QtForms, WidgetsShowCaptionsFontsAndBordersAsTheProgramMeantThem) {
  auto form = factory.CreateForm("frmText");
  form->SetCaption("widgets");
  platform::PushButton& button = form->AddPushButton("Cmd");
  button.SetText("A&B");
  platform::Label& label = form->AddLabel("Lbl");
  label.SetText("一行目\r\n二行目");
  label.SetFontFace("ＭＳ Ｐゴシック");
  label.SetFontSize(10.5);
  label.SetFontBold(true);
  platform::Panel& panel = form->AddPanel("PanelA", true);
  panel.AddOptionButton("A0");
  form->AddDropDownList("ComboType");
  QWidget* top = driver.Window("widgets");
  EXPECT_EQ(top->findChild<QPushButton*>("Cmd")->text(), QStringLiteral("A&&B"));
  QLabel* qlabel = top->findChild<QLabel*>("Lbl");
  EXPECT_EQ(qlabel->text(), QStringLiteral("一行目\n二行目"));
  EXPECT_DOUBLE_EQ(qlabel->font().pointSizeF(), 10.5);
  EXPECT_TRUE(qlabel->font().bold());
  EXPECT_EQ(qlabel->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
  // Children are placed inside the panel's border; lists cannot be typed into.
  QWidget* border = top->findChild<QWidget*>("PanelA");
  EXPECT_GT(top->findChild<QRadioButton*>("A0")->mapTo(border, QPoint(0, 0)).x(), 0);
  EXPECT_FALSE(top->findChild<QComboBox*>("ComboType")->isEditable());
}

}  // namespace
}  // namespace quimbel::linux_port

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, FormsConformance, linux_port::QtFormsDriver);
}  // namespace quimbel::conformance
