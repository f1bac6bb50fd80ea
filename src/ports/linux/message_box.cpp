#include "ports/linux/message_box.hpp"

#include <QAbstractButton>
#include <QPushButton>

#include "ports/linux/forms.hpp"

namespace quimbel::linux_port {
namespace {

constexpr int kButtonMask = 0xF;
constexpr int kIconMask = 0xF0;
constexpr int kDefaultMask = 0xF00;

QMessageBox::Icon IconFor(int flags) {
  switch (flags & kIconMask) {
    case kMbIconCritical:
      return QMessageBox::Critical;
    case platform::kMbIconQuestion:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case platform::kMbIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

QMessageBox* BuildMessageBox(const std::string& text, const std::string& caption, int flags) {
  auto* box = new QMessageBox();
  box->setWindowTitle(QString::fromStdString(caption));
  box->setText(QString::fromStdString(QtLineBreaks(text)));
  box->setTextFormat(Qt::PlainText);
  box->setIcon(IconFor(flags));
  bool yesNo = (flags & kButtonMask) == platform::kMbYesNo;
  if (yesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box->button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    bool second = (flags & kDefaultMask) == platform::kMbDefaultButton2;
    box->setDefaultButton(second ? QMessageBox::No : QMessageBox::Yes);
    // Closing the window answers like the classic box: it has no Cancel, so No.
    box->setEscapeButton(QMessageBox::No);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
  }
  return box;
}

int AnswerFor(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Yes:
      return platform::kIdYes;
    case QMessageBox::No:
      return platform::kIdNo;
    case QMessageBox::Ok:
      return platform::kIdOk;
    default:
      return platform::kIdCancel;
  }
}

int QtMessageBoxes::Show(const std::string& text, const std::string& caption, int flags,
                         const std::string&, int) {
  QMessageBox* box = BuildMessageBox(text, caption, flags);
  box->exec();
  QAbstractButton* clicked = box->clickedButton();
  int answer = clicked != nullptr ? AnswerFor(box->standardButton(clicked))
                                  : AnswerFor(box->standardButton(box->escapeButton()));
  delete box;
  return answer;
}

}  // namespace quimbel::linux_port
