#include "ports/linux/qt/message_box.hpp"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt_app.hpp"

namespace quimbel::linux_port {
namespace {

TEST(QtMessageBox, YesNoBoxesSpeakJapaneseAndHonourTheDefaultButton) {
  TestApp();
  const int flags = platform::kMbYesNo | platform::kMbIconQuestion;
  std::unique_ptr<QMessageBox> first(BuildMessageBox("変更しますか？", "題", flags));
  std::unique_ptr<QMessageBox> second(
      BuildMessageBox("変更しますか？", "題", flags | platform::kMbDefaultButton2));
  for (QMessageBox* box : {first.get(), second.get()}) {
    EXPECT_EQ(box->windowTitle(), QStringLiteral("題"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(box->button(QMessageBox::Ok), nullptr);
  }
  EXPECT_EQ(first->defaultButton(), first->button(QMessageBox::Yes));
  EXPECT_EQ(second->defaultButton(), second->button(QMessageBox::No));
}

TEST(QtMessageBox, OkBoxesHaveOneButtonAndTheFlagsIcon) {
  TestApp();
  std::unique_ptr<QMessageBox> box(
      BuildMessageBox("a\r\nb\rc", "エラー", platform::kMbOk | platform::kMbIconInformation));
  EXPECT_EQ(box->text(), QStringLiteral("a\nb\nc"));
  EXPECT_EQ(box->icon(), QMessageBox::Information);
  EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
  EXPECT_EQ(box->button(QMessageBox::Yes), nullptr);
  std::unique_ptr<QMessageBox> plain(BuildMessageBox("x", "y", platform::kMbOk));
  EXPECT_EQ(plain->icon(), QMessageBox::NoIcon);
}

TEST(QtMessageBox, LineBreaksBecomeSingleNewlines) {
  EXPECT_EQ(QtLineBreaks("a\r\n\r\nb"), "a\n\nb");
  EXPECT_EQ(QtLineBreaks("\r"), "\n");
  EXPECT_EQ(QtLineBreaks("a\nb"), "a\nb");
}

// Clicks a button of the box that is open, from the event loop.
void AnswerOpenBoxWith(QMessageBox::StandardButton which) {
  QTimer::singleShot(0, [which] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = dynamic_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
        if (which == QMessageBox::NoButton)
          box->reject();  // the window closed without a button
        else
          box->button(which)->click();
      }
    }
  });
}

TEST(QtMessageBox, ShowReturnsTheClassicAnswers) {
  TestApp();
  QtMessageBoxes qtBoxes;
  platform::MessageBoxes& boxes = qtBoxes;
  AnswerOpenBoxWith(QMessageBox::Yes);
  EXPECT_EQ(boxes.Show("q", "c", platform::kMbYesNo), platform::kIdYes);
  AnswerOpenBoxWith(QMessageBox::No);
  EXPECT_EQ(boxes.Show("q", "c", platform::kMbYesNo), platform::kIdNo);
  AnswerOpenBoxWith(QMessageBox::Ok);
  EXPECT_EQ(boxes.Show("q", "c", platform::kMbOk), platform::kIdOk);
  // Closed without a button: a Yes/No box has no Cancel, so it means No.
  AnswerOpenBoxWith(QMessageBox::NoButton);
  EXPECT_EQ(boxes.Show("q", "c", platform::kMbYesNo | platform::kMbDefaultButton2),
            platform::kIdNo);
}

}  // namespace
}  // namespace quimbel::linux_port
