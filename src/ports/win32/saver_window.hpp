#pragma once
// Win32 saver window: a borderless popup with a focus-holder child, two
// timers, the pointer the core picks, and frames shown through a DIB section.
#include <memory>

#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::win32_port {

class Win32SaverFactory : public platform::SaverWindowFactory {
 public:
  // Sizes and positions arrive in twips; the screen's factors turn them into pixels.
  explicit Win32SaverFactory(platform::Screen& screen) : screen_(screen) {}
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;

 private:
  platform::Screen& screen_;
};

}  // namespace quimbel::win32_port
