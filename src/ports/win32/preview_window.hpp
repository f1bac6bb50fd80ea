#pragma once
// Win32 preview window: a hidden popup titled "preview window" that becomes a
// child of the host's pane and paints one picture at its top left on black.
#include <memory>

#include "platform/preview_window.hpp"

namespace quimbel::win32_port {

class Win32PreviewFactory : public platform::PreviewWindowFactory {
 public:
  std::unique_ptr<platform::PreviewWindow> CreatePreviewWindow() override;
};

}  // namespace quimbel::win32_port
