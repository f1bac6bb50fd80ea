#pragma once
// Win32 preview window: a hidden popup titled "preview window" that becomes a
// child of the host's pane and paints one picture at its top left on black.
#include <memory>

#include "platform/preview_window.hpp"

namespace quimbel::win32_port {

class Win32PreviewFactory : public platform::PreviewWindowFactory {
 public:
  // Bounds arrive in twips; the screen's factors turn them into pixels.
  explicit Win32PreviewFactory(platform::Screen& screen) : screen_(screen) {}
  std::unique_ptr<platform::PreviewWindow> CreatePreviewWindow() override;

 private:
  platform::Screen& screen_;
};

// A twips length in whole pixels, rounded to the nearest.
int TwipsToPixels(double twips, double twipsPerPixel);

}  // namespace quimbel::win32_port
