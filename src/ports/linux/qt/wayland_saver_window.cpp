#include "ports/linux/qt/wayland_saver_window.hpp"

#include <QObject>

#include "ports/linux/qt/saver_timers.hpp"
#include "ports/linux/qt/wayland_pump.hpp"
#include "ports/linux/title_lock.hpp"
#include "ports/linux/wayland/layer_saver.hpp"

namespace quimbel::linux_port {
class WaylandSaverWindow : public platform::SaverWindow {
 public:
  WaylandSaverWindow(WaylandSaverFactory& factory, WaylandDisplay& display,
                     const std::filesystem::path& titleLock, platform::SaverEvents& events,
                     std::function<void()> onGone)
      : factory_(factory),
        titleLock_(titleLock),
        saver_(display, events),
        timerOwner_(std::make_unique<QObject>()),
        timers_(timerOwner_.get(), events) {
    factory_.live_ = this;
    pump_ = std::make_unique<WaylandPump>(display, std::move(onGone));
  }

  ~WaylandSaverWindow() override {
    if (factory_.live_ == this)
      factory_.live_ = nullptr;
  }
  void SetAboveWindows(bool above) { saver_.SetAboveWindows(above); }

  void StartTimer(platform::SaverTimer timer, int periodMs) override {
    timers_.Start(timer, periodMs);
  }
  void StopTimer(platform::SaverTimer timer) override { timers_.Stop(timer); }
  // Each output's surface has the output's size; the frame's corner says
  // where in the scene the outputs' parts are.
  void SetSizePx(int, int) override {}
  void SetPositionPx(int left, int top) override { saver_.SetFrameOrigin({left, top}); }
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
  WaylandSaverFactory& factory_;
  // The title no other program can see on Wayland, for their lookups.
  TitleLock titleLock_;
  LayerSaver saver_;
  std::unique_ptr<QObject> timerOwner_;
  SaverTimers timers_;
  std::unique_ptr<WaylandPump> pump_;
};

void WaylandSaverFactory::BoxOpen(bool open) {
  if (live_ != nullptr)
    live_->SetAboveWindows(!open);
}

std::unique_ptr<platform::SaverWindow> WaylandSaverFactory::CreateSaverWindow(
    std::string_view title, platform::SaverEvents& events) {
  return std::make_unique<WaylandSaverWindow>(*this, display_, TitleLockFile(title, session_),
                                              events, onGone_);
}

}  // namespace quimbel::linux_port
