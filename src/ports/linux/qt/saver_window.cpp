#include "ports/linux/qt/saver_window.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "base/runtime_error.hpp"
#include "ports/linux/qt/canvas_pump.hpp"
#include "ports/linux/qt/frame_read_guard.hpp"
#include "ports/linux/qt/qt_display.hpp"
#include "ports/linux/qt/saver_timers.hpp"
#include "ports/linux/x11/x11_canvas.hpp"
#include "ports/linux/x11/x11_fullscreen.hpp"

namespace quimbel::linux_port {

namespace {

// The small child that holds the keyboard focus; every key press ends here.
class FocusHolderWidget : public QWidget {
 public:
  FocusHolderWidget(QWidget* parent, platform::SaverEvents& events)
      : QWidget(parent), events_(events) {
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  // XWayland under Mutter can miss the release of a key pressed in a box
  // that closes on it (Return on OK) and then repeats that key into this
  // window for as long as it believes it held: repeats of a press that never
  // came here are not the user's input to the saver. The server repeats a
  // key as a release and a press of the same time, which Qt marks only when
  // both have arrived together.
  void keyPressEvent(QKeyEvent* e) override {
    const bool repeat =
        e->isAutoRepeat() || (e->key() == releasedKey_ && e->timestamp() == releasedAt_);
    if (repeat && !held_.contains(e->key()))
      return;
    held_.insert(e->key());
    events_.OnKeyDown();
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    releasedKey_ = e->key();
    releasedAt_ = e->timestamp();
    if (!e->isAutoRepeat())
      held_.erase(e->key());
  }

 private:
  platform::SaverEvents& events_;
  std::set<int> held_;
  int releasedKey_ = 0;
  ulong releasedAt_ = 0;
};

// Paints the last frame and nothing else: before the first frame the window
// leaves the screen under it as it was.
class SaverWidget : public QWidget {
 public:
  explicit SaverWidget(platform::SaverEvents& events)
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
        events_(events) {
    setAttribute(Qt::WA_NoSystemBackground);
    // Motion without a button held reaches the core too.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);
  }

  // On an X server that shares memory with us (MIT-SHM), the core composes
  // in memory the server reads and the frame's bands go to the window
  // straight from there, past Qt's backing store: no copy of ours, no
  // region for Qt to split. Elsewhere (a remote display, another platform)
  // nullptr, and frames go through Qt.
  base::Pixel* SharedFrameMemory(int width, int height) {
    if (canvas_ || QGuiApplication::platformName() != QLatin1String("xcb") ||
        qEnvironmentVariableIsSet("QUIMBEL_NO_SHARED_FRAME"))
      return nullptr;
    std::unique_ptr<X11Canvas> canvas =
        X11Canvas::Attach(static_cast<unsigned long>(winId()), X11Canvas::Mode::Direct);
    base::Pixel* memory = canvas ? canvas->FrameMemory(width, height) : nullptr;
    if (memory == nullptr)
      return nullptr;
    canvas_ = std::move(canvas);
    // Exposed parts are drawn again by the canvas when Qt is told of them,
    // and from its own events whenever the loop goes to sleep; its socket
    // wakes nobody, so the server's word that it has read a frame waits
    // there for the next tick.
    pump_ = std::make_unique<CanvasPump>(*canvas_, nullptr, CanvasPump::Wake::Never);
    setAttribute(Qt::WA_PaintOnScreen);
    return memory;
  }

  // The image looks at the core's frame itself: only the changed rectangles
  // are repainted, from the core's pixels, with no copy of ours in between.
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) {
    if (canvas_) {
      canvas_->PresentFrame(frame, changed);
      return;
    }
    if (image_.constBits() != reinterpret_cast<const uchar*>(frame.Data()) ||
        image_.width() != frame.Width() || image_.height() != frame.Height()) {
      image_ = QImage(reinterpret_cast<const uchar*>(frame.Data()), frame.Width(), frame.Height(),
                      static_cast<qsizetype>(frame.Width()) * 4, QImage::Format_RGB32);
      update();
      return;
    }
    for (const base::Rect& r : changed)
      update(r.x, r.y, r.width, r.height);
  }

  void AwaitFrameRead() {
    if (canvas_)
      canvas_->AwaitFrameRead();
  }

  // Nothing of Qt's paints the window that the canvas draws.
  QPaintEngine* paintEngine() const override { return canvas_ ? nullptr : QWidget::paintEngine(); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (canvas_) {
      std::vector<base::Rect> exposed;
      for (const QRect& r : event->region())
        exposed.push_back({r.x(), r.y(), r.width(), r.height()});
      canvas_->Repaint(exposed);
      return;
    }
    if (image_.isNull())
      return;
    QPainter painter(this);
    for (const QRect& r : event->region())
      painter.drawImage(r.topLeft(), image_, r);
  }
  void mousePressEvent(QMouseEvent*) override { events_.OnClick(); }
  void mouseMoveEvent(QMouseEvent* event) override {
    QPoint at = event->globalPosition().toPoint();
    events_.OnPointerMove(at.x(), at.y());
  }

 private:
  platform::SaverEvents& events_;
  QImage image_;  // over the core's frame, which outlives the window
  std::unique_ptr<X11Canvas> canvas_;
  std::unique_ptr<CanvasPump> pump_;
};

QCursor CursorFrom(const base::Icon& picture) {
  const base::Surface& colour = picture.colour;
  QImage image(std::max(colour.Width(), 1), std::max(colour.Height(), 1), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < colour.Height(); ++y) {
    for (int x = 0; x < colour.Width(); ++x) {
      std::size_t i = static_cast<std::size_t>(y) * colour.Width() + x;
      bool clear = i < picture.transparent.size() && picture.transparent[i];
      if (!clear)
        image.setPixel(x, y, 0xFF000000u | (colour.At(x, y) & 0xFFFFFFu));
    }
  }
  return QCursor(QPixmap::fromImage(image), 0, 0);
}

class QtSaverWindow : public platform::SaverWindow {
 public:
  QtSaverWindow(std::string_view title, platform::SaverEvents& events)
      : guard_(events, [this] { widget_->AwaitFrameRead(); }),
        widget_(new SaverWidget(guard_)),
        timers_(widget_, guard_) {
    widget_->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    holder_ = new FocusHolderWidget(widget_, guard_);
    // The title is on the X window from now on, for the single-instance test.
    widget_->winId();
  }
  ~QtSaverWindow() override { widget_->deleteLater(); }

  void StartTimer(platform::SaverTimer timer, int periodMs) override {
    timers_.Start(timer, periodMs);
  }
  void StopTimer(platform::SaverTimer timer) override { timers_.Stop(timer); }
  void SetSizePx(int width, int height) override { widget_->resize(width, height); }
  void SetPositionPx(int left, int top) override { widget_->move(left, top); }
  void SetFocusHolderBounds(int width, int height, int left, int top) override {
    holder_->setGeometry(left, top, width, height);
  }
  void Show() override {
    widget_->show();
    // On XWayland a compositor manages the window: without the full-screen
    // state it would tile or place it like any other.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      RequestFullScreen(QtX11Display(), widget_->winId());
  }
  void FocusHolder() override {
    widget_->activateWindow();
    holder_->setFocus(Qt::OtherFocusReason);
  }
  void SetNormalState() override {
    widget_->setWindowState(widget_->windowState() &
                            ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
  }
  void SetPointer(const base::Icon& picture) override { widget_->setCursor(CursorFrom(picture)); }
  void SetDefaultPointer() override { widget_->unsetCursor(); }
  base::Pixel* FrameMemory(int width, int height) override {
    return widget_->SharedFrameMemory(width, height);
  }
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) override {
    widget_->Present(frame, changed);
  }
  void MakeTopmost() override {
    widget_->show();
    widget_->raise();
  }

 private:
  FrameReadGuard guard_;
  SaverWidget* widget_;
  SaverTimers timers_;
  FocusHolderWidget* holder_ = nullptr;
};

// Inside the daemon's window: we draw, the daemon does the rest.
class HostedSaverWindow : public platform::SaverWindow {
 public:
  HostedSaverWindow(std::unique_ptr<X11Canvas> canvas, platform::SaverEvents& events,
                    std::function<void()> onGone)
      : canvas_(std::move(canvas)),
        guard_(events, [this] { canvas_->AwaitFrameRead(); }),
        owner_(std::make_unique<QObject>()),
        timers_(owner_.get(), guard_) {
    // The socket also brings the server's word that it has read each frame;
    // waking for that would double the run's wake-ups. The tick's timer
    // sleeps at most a tick, and the canvas's events, the window's end
    // among them, are read each time the loop goes to sleep.
    pump_ = std::make_unique<CanvasPump>(*canvas_, std::move(onGone), CanvasPump::Wake::Never);
  }

  void StartTimer(platform::SaverTimer timer, int periodMs) override {
    timers_.Start(timer, periodMs);
  }
  void StopTimer(platform::SaverTimer timer) override { timers_.Stop(timer); }
  // The daemon's window has its own size and place.
  void SetSizePx(int, int) override {}
  void SetPositionPx(int, int) override {}
  void SetFocusHolderBounds(int, int, int, int) override {}
  void Show() override {}
  void FocusHolder() override {}
  void SetNormalState() override {}
  void SetPointer(const base::Icon&) override {}
  void SetDefaultPointer() override {}
  base::Pixel* FrameMemory(int width, int height) override {
    return canvas_->FrameMemory(width, height);
  }
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) override {
    canvas_->PresentFrame(frame, changed);
    pump_->Pump();
  }
  void MakeTopmost() override {}

 private:
  std::unique_ptr<X11Canvas> canvas_;
  FrameReadGuard guard_;
  std::unique_ptr<QObject> owner_;  // of the timers
  SaverTimers timers_;
  std::unique_ptr<CanvasPump> pump_;
};

}  // namespace

std::unique_ptr<platform::SaverWindow> QtSaverFactory::CreateSaverWindow(
    std::string_view title, platform::SaverEvents& events) {
  return std::make_unique<QtSaverWindow>(title, events);
}

std::unique_ptr<platform::SaverWindow> HostedSaverFactory::CreateSaverWindow(
    std::string_view, platform::SaverEvents& events) {
  std::unique_ptr<X11Canvas> canvas = X11Canvas::Attach(
      static_cast<unsigned long>(static_cast<std::uint32_t>(host_)), X11Canvas::Mode::Direct);
  if (!canvas) {
    // The daemon's window is already gone: there is nothing to draw on.
    if (onGone_)
      onGone_();
    throw base::RuntimeError::InvalidCall();
  }
  return std::make_unique<HostedSaverWindow>(std::move(canvas), events, onGone_);
}

}  // namespace quimbel::linux_port
