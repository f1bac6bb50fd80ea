#include "ports/linux/qt/wayland_saver_window.hpp"

#include <QObject>
#include <QTimer>
#include <cmath>

#include "ports/linux/qt/wayland_pump.hpp"
#include "ports/linux/wayland/layer_saver.hpp"
#include "ports/linux/wayland/wayland_screen.hpp"

namespace quimbel::linux_port {
namespace {

// The same periods as the X11 window's timers.
constexpr int kTimer1Ms = 100;
constexpr int kTimer2Ms = 10;

}  // namespace

class WaylandSaverWindow : public platform::SaverWindow {
 public:
  WaylandSaverWindow(WaylandSaverFactory& factory, WaylandDisplay& display, WaylandScreen& screen,
                     platform::SaverEvents& events, std::function<void()> onGone)
      : factory_(factory),
        screen_(screen),
        saver_(display, events),
        timers_(std::make_unique<QObject>()) {
    factory_.live_ = this;
    pump_ = std::make_unique<WaylandPump>(display, std::move(onGone));
    auto* timer1 = new QTimer(timers_.get());
    QObject::connect(timer1, &QTimer::timeout, [&events] { events.OnTimer1(); });
    timer1->start(kTimer1Ms);
    auto* timer2 = new QTimer(timers_.get());
    QObject::connect(timer2, &QTimer::timeout, [&events] { events.OnTimer2(); });
    timer2->start(kTimer2Ms);
  }

  ~WaylandSaverWindow() override {
    if (factory_.live_ == this)
      factory_.live_ = nullptr;
  }
  void SetAboveWindows(bool above) { saver_.SetAboveWindows(above); }

  // Each output's surface has the output's size; the frame's corner says
  // where in the scene the outputs' parts are.
  void SetSizeTwips(double, double) override {}
  void SetPositionTwips(double left, double top) override {
    saver_.SetFrameOrigin(
        {Pixels(left, screen_.TwipsPerPixelX()), Pixels(top, screen_.TwipsPerPixelY())});
  }
  // The compositor gives the keyboard to the overlay surfaces.
  void SetFocusHolderBounds(int, int, int, int) override {}
  void Show() override { saver_.Show(); }
  void FocusHolder() override {}
  void SetNormalState() override {}
  // The pointer is hidden over the surfaces whatever the core asks.
  void SetPointer(const base::Icon&) override {}
  void SetDefaultPointer() override {}
  base::Pixel* FrameMemory(int, int) override { return nullptr; }
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) override {
    saver_.Present(frame, changed);
  }
  // The overlay layer is above every window already.
  void MakeTopmost() override {}

 private:
  static int Pixels(double twips, double perPixel) {
    return perPixel > 0 ? static_cast<int>(std::lround(twips / perPixel)) : 0;
  }
  WaylandSaverFactory& factory_;
  WaylandScreen& screen_;
  LayerSaver saver_;
  std::unique_ptr<QObject> timers_;
  std::unique_ptr<WaylandPump> pump_;
};

void WaylandSaverFactory::BoxOpen(bool open) {
  if (live_ != nullptr)
    live_->SetAboveWindows(!open);
}

std::unique_ptr<platform::SaverWindow> WaylandSaverFactory::CreateSaverWindow(
    std::string_view, platform::SaverEvents& events) {
  // Before anything of ours is on the screen.
  snapshot_.HoldSnapshot();
  return std::make_unique<WaylandSaverWindow>(*this, display_, snapshot_, events, onGone_);
}

}  // namespace quimbel::linux_port
