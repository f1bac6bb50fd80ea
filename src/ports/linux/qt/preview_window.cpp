#include "ports/linux/qt/preview_window.hpp"

#include "ports/linux/qt/canvas_pump.hpp"
#include "ports/linux/x11/x11_canvas.hpp"

namespace quimbel::linux_port {
namespace {

class X11PreviewWindow : public platform::PreviewWindow {
 public:
  X11PreviewWindow(std::function<void()> onGone, int& attached)
      : onGone_(std::move(onGone)), attached_(attached) {}

  // X windows are children by construction; there is no style to change.
  void AddChildStyle() override {}

  void SetParent(platform::WindowHandle host) override {
    canvas_ = X11Canvas::Attach(static_cast<unsigned long>(static_cast<std::uint32_t>(host)),
                                X11Canvas::Mode::Child);
    if (!canvas_) {
      // Nothing to live in: end now rather than linger without a window.
      if (onGone_)
        onGone_();
      return;
    }
    pump_ = std::make_unique<CanvasPump>(*canvas_, onGone_);
    ++attached_;
  }

  void SetBoundsPx(int left, int top, int width, int height) override {
    if (!canvas_)
      return;
    canvas_->SetGeometry(left, top, width, height);
    pump_->Pump();
  }

  void SetPicture(const base::Surface& picture) override {
    picture_ = picture;
    if (canvas_ && shown_)
      canvas_->Present(picture_);
  }

  void Show() override {
    if (!canvas_)
      return;
    shown_ = true;
    canvas_->Show();
    canvas_->Present(picture_);
    pump_->Pump();
  }

 private:
  std::function<void()> onGone_;
  int& attached_;
  std::unique_ptr<X11Canvas> canvas_;
  std::unique_ptr<CanvasPump> pump_;
  base::Surface picture_;
  bool shown_ = false;
};

}  // namespace

std::unique_ptr<platform::PreviewWindow> X11PreviewFactory::CreatePreviewWindow() {
  return std::make_unique<X11PreviewWindow>(onGone_, attached_);
}

}  // namespace quimbel::linux_port
