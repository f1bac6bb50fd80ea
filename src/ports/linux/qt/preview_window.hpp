#pragma once
// The preview inside a host's window, given by its X window id.
#include <functional>
#include <memory>

#include "platform/preview_window.hpp"

namespace quimbel::linux_port {

class X11PreviewFactory : public platform::PreviewWindowFactory {
 public:
  // onGone runs when the host window (and so the preview) is destroyed, or
  // when the host id names no window.
  explicit X11PreviewFactory(std::function<void()> onGone) : onGone_(std::move(onGone)) {}
  std::unique_ptr<platform::PreviewWindow> CreatePreviewWindow() override;
  // True once a preview lives inside its host: the process must wait for it.
  bool Attached() const { return attached_ > 0; }

 private:
  int attached_ = 0;
  std::function<void()> onGone_;
};

}  // namespace quimbel::linux_port
