// The standard controls as Qt widgets.
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/runtime_error.hpp"
#include "ports/linux/qt/form_parts.hpp"
#include "ports/linux/qt/forms.hpp"

namespace quimbel::linux_port {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Font, colour and text of a control that shows text.
template <class Base>
class TextWidgetControl : public WidgetControl<Base> {
 public:
  using WidgetControl<Base>::WidgetControl;
  void SetFontFace(std::string_view face) override {
    QFont font = this->widget_->font();
    font.setFamily(Q(face));
    ApplyFont(font);
  }
  void SetFontBold(bool bold) override {
    QFont font = this->widget_->font();
    font.setBold(bold);
    ApplyFont(font);
  }
  void SetFontSize(double points) override {
    QFont font = this->widget_->font();
    if (points > 0)
      font.setPointSizeF(points);
    ApplyFont(font);
  }
  void SetForeColour(platform::Colour colour) override {
    QPalette palette = this->widget_->palette();
    QColor c = ResolveColour(colour, palette);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::Text, c);
    palette.setColor(QPalette::ButtonText, c);
    this->widget_->setPalette(palette);
  }

 protected:
  virtual void ApplyFont(const QFont& font) { this->widget_->setFont(font); }
};

class QtLabel : public TextWidgetControl<platform::Label> {
 public:
  explicit QtLabel(QLabel* label) : TextWidgetControl(label), label_(label) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  void SetText(std::string_view text) override { label_->setText(Q(QtLineBreaks(text))); }

 private:
  QLabel* label_;
};

// Enter clicks a focused button too, as Space does: outside a dialog Qt only
// lets Space do it.
class EnterButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

class QtPushButton : public TextWidgetControl<platform::PushButton> {
 public:
  QtPushButton(QPushButton* button, LifePtr life)
      : TextWidgetControl(button), button_(button), life_(std::move(life)) {
    QObject::connect(button_, &QPushButton::clicked,
                     [life = life_, handler = handler_] { Dispatch(life, handler); });
  }
  void SetText(std::string_view text) override {
    button_->setText(Q(LiteralAmpersands(QtLineBreaks(text))));
  }
  void SetOnClick(platform::Handler onClick) override { *handler_ = std::move(onClick); }

 private:
  QPushButton* button_;
  LifePtr life_;
  std::shared_ptr<platform::Handler> handler_ = std::make_shared<platform::Handler>();
};

class QtOptionButton : public TextWidgetControl<platform::OptionButton> {
 public:
  QtOptionButton(QRadioButton* button, QButtonGroup* group)
      : TextWidgetControl(button), button_(button), group_(group) {
    group_->addButton(button_);
  }
  void SetText(std::string_view text) override {
    button_->setText(Q(LiteralAmpersands(QtLineBreaks(text))));
  }
  void SetValue(bool selected) override {
    if (!selected && button_->isChecked()) {
      // An exclusive group refuses to clear its selected button.
      group_->setExclusive(false);
      button_->setChecked(false);
      group_->setExclusive(true);
      return;
    }
    button_->setChecked(selected);
  }
  bool Value() override { return button_->isChecked(); }

 private:
  QRadioButton* button_;
  QButtonGroup* group_;
};

class QtDropDownList : public TextWidgetControl<platform::DropDownList> {
 public:
  explicit QtDropDownList(QComboBox* box) : TextWidgetControl(box), box_(box) {
    box_->setEditable(false);
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  }
  // A drop-down list shows no caption of its own.
  void SetText(std::string_view) override {}
  void AddItem(std::string_view text) override {
    box_->addItem(Q(text));
    // Adding to an empty combo box selects the entry; the list starts unselected.
    if (box_->count() == 1 && !selectedOnPurpose_)
      box_->setCurrentIndex(-1);
  }
  int ItemCount() override { return box_->count(); }
  std::string ItemText(int index) override {
    if (index < 0 || index >= box_->count())
      return {};
    return box_->itemText(index).toStdString();
  }
  void SetListIndex(int index) override {
    if (index < -1 || index >= box_->count())
      throw base::RuntimeError::InvalidCall();
    selectedOnPurpose_ = index >= 0;
    box_->setCurrentIndex(index);
  }
  int ListIndex() override { return box_->currentIndex(); }

 protected:
  void Resize(int width, int) override {
    box_->resize(width < 0 ? 0 : width, box_->sizeHint().height());
  }
  void ApplyFont(const QFont& font) override {
    box_->setFont(font);
    box_->resize(box_->width(), box_->sizeHint().height());
  }

 private:
  QComboBox* box_;
  bool selectedOnPurpose_ = false;
};

class QtSingleLineBox : public TextWidgetControl<platform::TextBox> {
 public:
  explicit QtSingleLineBox(QLineEdit* edit) : TextWidgetControl(edit), edit_(edit) {
    edit_->setReadOnly(true);
  }
  void SetText(std::string_view text) override { edit_->setText(Q(text)); }

 private:
  QLineEdit* edit_;
};

class QtMultiLineBox : public TextWidgetControl<platform::TextBox> {
 public:
  QtMultiLineBox(QPlainTextEdit* edit, bool verticalScroll) : TextWidgetControl(edit), edit_(edit) {
    edit_->setReadOnly(true);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(verticalScroll ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
  }
  void SetText(std::string_view text) override { edit_->setPlainText(Q(QtLineBreaks(text))); }

 private:
  QPlainTextEdit* edit_;
};

// Paints its picture unscaled from the top-left corner inside its border.
class PictureFrame : public QFrame {
 public:
  explicit PictureFrame(QWidget* parent) : QFrame(parent) {}
  QImage image;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    if (image.isNull())
      return;
    QPainter painter(this);
    QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.drawImage(inside.topLeft(), image);
  }
};

QImage ToImage(const base::Surface& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
  for (int y = 0; y < surface.Height(); ++y) {
    const base::Pixel* row = surface.Row(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < surface.Width(); ++x)
      out[x] = 0xFF000000u | (row[x] & 0xFFFFFFu);
  }
  return image;
}

QImage ToImage(const base::Icon& icon) {
  const base::Surface& colour = icon.colour;
  QImage image(colour.Width(), colour.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < colour.Height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < colour.Width(); ++x) {
      std::size_t i = static_cast<std::size_t>(y) * colour.Width() + x;
      bool clear = i < icon.transparent.size() && icon.transparent[i];
      out[x] = clear ? 0u : (0xFF000000u | (colour.At(x, y) & 0xFFFFFFu));
    }
  }
  return image;
}

class QtImage : public WidgetControl<platform::ImageControl> {
 public:
  QtImage(PictureFrame* frame, bool bordered) : WidgetControl(frame), frame_(frame) {
    if (bordered) {
      frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      frame_->setLineWidth(1);
    }
  }
  void SetPicture(const base::Surface& picture) override {
    frame_->image = ToImage(picture);
    frame_->update();
  }
  void SetIcon(const base::Icon& picture) override {
    frame_->image = ToImage(picture);
    frame_->update();
  }

 private:
  PictureFrame* frame_;
};

// A panel: a frame with an inner client widget that holds the children, so
// they are placed inside the border and option buttons group per panel.
class QtPanel : public ControlSetContainer<platform::Panel> {
 public:
  QtPanel(QFrame* frame, bool bordered, LifePtr life)
      : control_(frame),
        frame_(frame),
        client_(new QWidget(frame)),
        set_(client_, std::move(life)) {
    if (bordered) {
      frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      frame_->setLineWidth(2);
    }
    client_->show();
    Fit();
  }
  void SetWidth(int px) override { control_.SetWidth(px), Fit(); }
  void SetHeight(int px) override { control_.SetHeight(px), Fit(); }
  void SetLeft(int px) override { control_.SetLeft(px); }
  void SetTop(int px) override { control_.SetTop(px); }
  void SetBackColour(platform::Colour colour) override { control_.SetBackColour(colour); }

 private:
  class Outer : public WidgetControl<platform::Control> {
   public:
    using WidgetControl::WidgetControl;
  };
  ControlSet& Controls() override { return set_; }
  void Fit() { client_->setGeometry(frame_->contentsRect()); }

  Outer control_;
  QFrame* frame_;
  QWidget* client_;
  ControlSet set_;
};

template <class W>
W* Make(QWidget* parent, std::string_view name) {
  auto* widget = new W(parent);
  widget->setObjectName(Q(name));
  widget->resize(0, 0);
  widget->show();
  return widget;
}

}  // namespace

template <class T>
T& ControlSet::Keep(std::unique_ptr<T> control) {
  T& ref = *control;
  controls_.push_back(std::move(control));
  return ref;
}

platform::Label& ControlSet::AddLabel(std::string_view name) {
  return Keep(std::make_unique<QtLabel>(Make<QLabel>(parent_, name)));
}

platform::PushButton& ControlSet::AddPushButton(std::string_view name) {
  return Keep(std::make_unique<QtPushButton>(Make<EnterButton>(parent_, name), life_));
}

platform::OptionButton& ControlSet::AddOptionButton(std::string_view name) {
  if (options_ == nullptr)
    options_ = new QButtonGroup(parent_);
  return Keep(std::make_unique<QtOptionButton>(Make<QRadioButton>(parent_, name), options_));
}

platform::DropDownList& ControlSet::AddDropDownList(std::string_view name) {
  return Keep(std::make_unique<QtDropDownList>(Make<QComboBox>(parent_, name)));
}

platform::TextBox& ControlSet::AddTextBox(std::string_view name, platform::TextBoxStyle style) {
  std::unique_ptr<platform::TextBox> box;
  if (style.multiLine)
    box =
        std::make_unique<QtMultiLineBox>(Make<QPlainTextEdit>(parent_, name), style.verticalScroll);
  else
    box = std::make_unique<QtSingleLineBox>(Make<QLineEdit>(parent_, name));
  box->SetBackColour(platform::Colour::FromRgb(255, 255, 255));
  return Keep(std::move(box));
}

platform::ImageControl& ControlSet::AddImage(std::string_view name, bool bordered) {
  return Keep(std::make_unique<QtImage>(Make<PictureFrame>(parent_, name), bordered));
}

platform::Panel& ControlSet::AddPanel(std::string_view name, bool bordered) {
  return Keep(std::make_unique<QtPanel>(Make<QFrame>(parent_, name), bordered, life_));
}

}  // namespace quimbel::linux_port
