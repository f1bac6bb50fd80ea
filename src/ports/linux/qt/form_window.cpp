// Top-level forms as Qt widgets: a menu bar across the top and a client area
// below it, sized in twips from outside and in pixels inside.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include "ports/linux/qt/form_parts.hpp"
#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt/qt_display.hpp"
#include "ports/linux/title_lock.hpp"
#include "ports/linux/x11/x11_frame.hpp"

namespace quimbel::linux_port {

std::string LiteralAmpersands(std::string_view text) {
  std::string out;
  for (char c : text) {
    out.push_back(c);
    if (c == '&')
      out.push_back('&');
  }
  return out;
}

std::string QtLineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out.push_back('\n');
      if (i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

void Dispatch(const LifePtr& life, const std::shared_ptr<platform::Handler>& handler) {
  LifePtr keepLife = life;
  std::shared_ptr<platform::Handler> keep = handler;
  if (!keepLife->alive || !keep || !*keep)
    return;
  (*keep)();
}

QColor ResolveColour(const platform::Colour& colour, const QPalette& palette) {
  using Role = platform::Colour::Role;
  switch (colour.role) {
    case Role::ButtonFace:
      return QApplication::palette().color(QPalette::Button);
    case Role::WindowBackground:
      return QApplication::palette().color(QPalette::Base);
    case Role::WindowText:
      return QApplication::palette().color(QPalette::WindowText);
    case Role::Rgb:
      break;
  }
  (void)palette;
  return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (colour.rgb & 0xFFFFFFu)));
}

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The top-level widget: the close box asks the core instead of closing.
class FormWidget : public QWidget {
 public:
  FormWidget()
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                             Qt::MSWindowsFixedSizeDialogHint) {}
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (onClose)
      onClose();
  }
};

class QtSubmenu : public platform::Submenu {
 public:
  QtSubmenu(QMenu* menu, LifePtr life) : menu_(menu), life_(std::move(life)) {}
  void AddItem(std::string_view caption, platform::Handler onChoose) override {
    QAction* action = menu_->addAction(Q(caption));
    WidenForExtraMarks(caption);
    auto handler = std::make_shared<platform::Handler>(std::move(onChoose));
    QObject::connect(action, &QAction::triggered,
                     [life = life_, handler] { Dispatch(life, handler); });
  }

 private:
  // Qt makes a menu too narrow for its widest caption when that caption has
  // a second access-key mark, and draws it elided in the middle
  // ("ｿﾌﾄ紹…E(ｲ)"). Room for one '&' per extra mark keeps it whole.
  void WidenForExtraMarks(std::string_view caption) {
    int marks = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
      if (caption[i] != '&')
        continue;
      if (i + 1 < caption.size() && caption[i + 1] != '&')
        ++marks;
      ++i;
    }
    extraMarks_ = std::max(extraMarks_, marks - 1);
    if (extraMarks_ > 0) {
      menu_->setMinimumWidth(menu_->sizeHint().width() +
                             extraMarks_ * menu_->fontMetrics().horizontalAdvance(QChar('&')));
    }
  }

  QMenu* menu_;
  LifePtr life_;
  int extraMarks_ = 0;
};

// Quits the event loop once no window of ours is left on screen: hidden and
// deleted forms do not count as closed for Qt.
void QuitWhenNoWindowLeft() {
  QTimer::singleShot(0, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible())
        return;
    }
    if (QCoreApplication::instance() != nullptr && !QApplication::quitOnLastWindowClosed())
      return;
    QCoreApplication::quit();
  });
}

class QtForm : public ControlSetContainer<platform::Form> {
 public:
  QtForm(std::string_view name, std::string waylandSession)
      : waylandSession_(std::move(waylandSession)),
        life_(std::make_shared<FormLife>()),
        window_(new FormWidget()),
        client_(new QWidget(window_)),
        set_(client_, life_) {
    window_->setObjectName(Q(name));
    window_->onClose = [life = life_, handler = onClose_] { Dispatch(life, handler); };
    client_->setObjectName(QStringLiteral("client"));
    // An X window of its own, so the client area can be measured from outside.
    client_->setAttribute(Qt::WA_NativeWindow);
    // The native window exists from now on, so other processes find it by its
    // title even before it is shown.
    WId id = window_->winId();
    Resize(312, 213);
    // The first placement centres the window with its frame: ask the window
    // manager for that frame before the window is shown, once the fixed size
    // (which takes the resize handles away) is set.
    if (std::optional<FrameExtents> frame = RequestFrameExtents(QtX11Display(), id)) {
      frameLeft_ = frame->left;
      frameTop_ = frame->top;
      frameWidth_ = frame->left + frame->right;
      frameHeight_ = frame->top + frame->bottom;
    } else {
      NoteFrame();  // what Qt itself assumes, where it knows better than 0
    }
  }

  ~QtForm() override {
    life_->alive = false;
    for (QTimer* timer : timers_)
      timer->stop();
    window_->onClose = nullptr;
    window_->hide();
    // The core may destroy a form from one of its own handlers: Qt deletes
    // the widgets once that handler has returned.
    window_->deleteLater();
    QuitWhenNoWindowLeft();
  }

  void SetCaption(std::string_view caption) override {
    window_->setWindowTitle(Q(caption));
    // On Wayland no other program can see the title: the lock stands for it.
    titleLock_.reset();
    if (!waylandSession_.empty())
      titleLock_ = std::make_unique<TitleLock>(TitleLockFile(caption, waylandSession_));
  }

  void SetIcon(const base::Icon& icon) override {
    QImage image(icon.colour.Width(), icon.colour.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        std::size_t i = static_cast<std::size_t>(y) * image.width() + x;
        bool clear = i < icon.transparent.size() && icon.transparent[i];
        image.setPixel(x, y, clear ? 0u : 0xFF000000u | (icon.colour.At(x, y) & 0xFFFFFFu));
      }
    }
    window_->setWindowIcon(QIcon(QPixmap::fromImage(image)));
  }

  void SetBackColour(platform::Colour colour) override {
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ResolveColour(colour, palette));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
  }

  void AddMenuCommand(std::string_view caption, platform::Handler onChoose) override {
    QAction* action = MenuBar()->addAction(Q(caption));
    auto handler = std::make_shared<platform::Handler>(std::move(onChoose));
    QObject::connect(action, &QAction::triggered,
                     [life = life_, handler] { Dispatch(life, handler); });
    Relayout();
  }

  platform::Submenu& AddSubmenu(std::string_view caption) override {
    QMenu* menu = MenuBar()->addMenu(Q(caption));
    submenus_.push_back(std::make_unique<QtSubmenu>(menu, life_));
    Relayout();
    return *submenus_.back();
  }

  void StartTimer(int intervalMs, platform::Handler onTick) override {
    auto* timer = new QTimer(window_);
    timer->setInterval(intervalMs > 0 ? intervalMs : 1);
    auto handler = std::make_shared<platform::Handler>(std::move(onTick));
    QObject::connect(timer, &QTimer::timeout, [life = life_, handler] { Dispatch(life, handler); });
    timer->start();
    timers_.push_back(timer);
  }

  void SetOnCloseRequest(platform::Handler onCloseRequest) override {
    *onClose_ = std::move(onCloseRequest);
  }

  int ClientWidthPx() override { return client_->width(); }
  int ClientHeightPx() override { return client_->height(); }
  int OuterWidthPx() override { return window_->width() + FrameWidthPx(); }
  int OuterHeightPx() override { return window_->height() + FrameHeightPx(); }
  void SetOuterWidthPx(int width) override { Resize(width - FrameWidthPx(), window_->height()); }
  void SetOuterHeightPx(int height) override { Resize(window_->width(), height - FrameHeightPx()); }
  // The position is the frame's; Qt places the widget inside it.
  void SetLeftPx(int left) override {
    QRect inner = window_->geometry();
    inner.moveLeft(left + frameLeft_);
    window_->setGeometry(inner);
  }
  void SetTopPx(int top) override {
    QRect inner = window_->geometry();
    inner.moveTop(top + frameTop_);
    window_->setGeometry(inner);
  }

  void Show() override {
    window_->show();
    window_->raise();
    window_->activateWindow();
    NoteFrame();
  }

 private:
  QMenuBar* MenuBar() {
    if (menuBar_ == nullptr) {
      menuBar_ = new QMenuBar(window_);
      menuBar_->setNativeMenuBar(false);
      menuBar_->show();
    }
    return menuBar_;
  }

  int MenuHeight() const { return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0; }

  // The window manager's frame around our widget, as the window manager
  // told it before the first show or as Qt saw it after; 0 without one.
  int FrameWidthPx() const { return frameWidth_; }
  int FrameHeightPx() const { return frameHeight_; }

  void NoteFrame() {
    QRect frame = window_->frameGeometry();
    QRect inner = window_->geometry();
    if (frame.width() >= inner.width() && frame.height() >= inner.height()) {
      frameLeft_ = inner.x() - frame.x();
      frameTop_ = inner.y() - frame.y();
      frameWidth_ = frame.width() - inner.width();
      frameHeight_ = frame.height() - inner.height();
    }
  }

  // The widget's size (menu bar and client area); fixed, as the frame is.
  void Resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, MenuHeight() + 1);
    window_->setFixedSize(width, height);
    Relayout();
  }

  void Relayout() {
    int menu = MenuHeight();
    if (menuBar_ != nullptr)
      menuBar_->setGeometry(0, 0, window_->width(), menu);
    client_->setGeometry(0, menu, window_->width(), std::max(window_->height() - menu, 0));
  }

  ControlSet& Controls() override { return set_; }
  std::string waylandSession_;
  LifePtr life_;
  FormWidget* window_;
  QWidget* client_;
  ControlSet set_;
  QMenuBar* menuBar_ = nullptr;
  std::vector<std::unique_ptr<QtSubmenu>> submenus_;
  std::vector<QTimer*> timers_;
  std::shared_ptr<platform::Handler> onClose_ = std::make_shared<platform::Handler>();
  int frameLeft_ = 0;
  int frameTop_ = 0;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  std::unique_ptr<TitleLock> titleLock_;
};

}  // namespace

std::unique_ptr<platform::Form> QtFormFactory::CreateForm(std::string_view name) {
  return std::make_unique<QtForm>(name, waylandSession_);
}

}  // namespace quimbel::linux_port
