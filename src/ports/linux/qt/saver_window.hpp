#pragma once
// The saver window: a frameless, topmost Qt widget over the whole screen; or,
// when a screen-saver daemon hosts us, the daemon's own window drawn into
// over Xlib (the daemon handles input and ends us with a signal).
#include <functional>
#include <memory>
#include <string_view>

#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

class QtSaverFactory : public platform::SaverWindowFactory {
 public:
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;
};

class HostedSaverFactory : public platform::SaverWindowFactory {
 public:
  // host: the daemon's window. onGone runs when it is destroyed.
  HostedSaverFactory(platform::WindowHandle host, std::function<void()> onGone)
      : host_(host), onGone_(std::move(onGone)) {}
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;

 private:
  platform::WindowHandle host_;
  std::function<void()> onGone_;
};

}  // namespace quimbel::linux_port
