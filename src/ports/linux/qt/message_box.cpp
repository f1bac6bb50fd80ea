#include "ports/linux/qt/message_box.hpp"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt/qt_display.hpp"
#include "ports/linux/x11/x11_frame.hpp"

namespace quimbel::linux_port {
namespace {

constexpr int kButtonMask = 0xF;
constexpr int kIconMask = 0xF0;
constexpr int kDefaultMask = 0xF00;

QMessageBox::Icon IconFor(int flags) {
  switch (flags & kIconMask) {
    case platform::kMbIconCritical:
      return QMessageBox::Critical;
    case platform::kMbIconQuestion:
      return QMessageBox::Question;
    case platform::kMbIconExclamation:
      return QMessageBox::Warning;
    case platform::kMbIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Qt centres a box without its window manager's frame, which is unknown
// before the first show: the frame then sits off centre. This box asks for
// the frame once its size is final, and centres the framed box on the
// primary monitor, as the program's windows are (Qt would pick the monitor
// under the pointer), before it is mapped.
class CentredMessageBox : public QMessageBox {
 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    QScreen* primary = QGuiApplication::primaryScreen();
    if (event->spontaneous() || primary == nullptr)
      return;
    FrameExtents frame = RequestFrameExtents(QtX11Display(), winId()).value_or(FrameExtents{});
    QRect area = primary->geometry();
    QRect inner = geometry();
    int outerWidth = inner.width() + frame.left + frame.right;
    int outerHeight = inner.height() + frame.top + frame.bottom;
    inner.moveTopLeft(QPoint(area.x() + (area.width() - outerWidth) / 2 + frame.left,
                             area.y() + (area.height() - outerHeight) / 2 + frame.top));
    setGeometry(inner);
  }
};

}  // namespace

QMessageBox* BuildMessageBox(const std::string& text, const std::string& caption, int flags) {
  auto* box = new CentredMessageBox();
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
  if (onBoxOpen)
    onBoxOpen(true);
  box->exec();
  if (onBoxOpen)
    onBoxOpen(false);
  QAbstractButton* clicked = box->clickedButton();
  int answer = clicked != nullptr ? AnswerFor(box->standardButton(clicked))
                                  : AnswerFor(box->standardButton(box->escapeButton()));
  delete box;
  return answer;
}

}  // namespace quimbel::linux_port
