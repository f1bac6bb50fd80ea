#pragma once
// The saver window on a Wayland compositor with a layer shell: the layer
// surfaces of the Wayland part, driven by Qt's timers and event loop.
#include <functional>
#include <memory>
#include <string_view>

#include "platform/saver_window.hpp"

namespace quimbel::linux_port {

class WaylandDisplay;
class WaylandScreen;

class WaylandSaverFactory : public platform::SaverWindowFactory {
 public:
  // snapshot: copies the outputs when the window is made, before it shows.
  // onGone runs when the compositor's connection breaks.
  WaylandSaverFactory(WaylandDisplay& display, WaylandScreen& snapshot,
                      std::function<void()> onGone)
      : display_(display), snapshot_(snapshot), onGone_(std::move(onGone)) {}
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;

 private:
  WaylandDisplay& display_;
  WaylandScreen& snapshot_;
  std::function<void()> onGone_;
};

}  // namespace quimbel::linux_port
