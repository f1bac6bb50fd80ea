#pragma once
// Win32 saver window: a borderless popup with a focus-holder child, two
// timers, the pointer the core picks, and frames shown through a DIB section.
#include <memory>

#include "platform/saver_window.hpp"
#include "ports/win32/screen.hpp"

namespace quimbel::win32_port {

class Win32SaverFactory : public platform::SaverWindowFactory {
 public:
  // Until its first frame the window shows the picture the screen holds.
  explicit Win32SaverFactory(Win32Screen& screen) : screen_(screen) {}
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;

 private:
  Win32Screen& screen_;
};

}  // namespace quimbel::win32_port
