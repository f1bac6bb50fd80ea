#pragma once
// The saver window on a Wayland compositor with a layer shell: the layer
// surfaces of the Wayland part, driven by Qt's timers and event loop.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/saver_window.hpp"

namespace quimbel::linux_port {

class WaylandDisplay;
class WaylandSaverWindow;

class WaylandSaverFactory : public platform::SaverWindowFactory {
 public:
  // onGone runs when the compositor's connection breaks. session: the
  // WAYLAND_DISPLAY in which other programs find the saver by its title.
  WaylandSaverFactory(WaylandDisplay& display, std::string session, std::function<void()> onGone)
      : display_(display), session_(std::move(session)), onGone_(std::move(onGone)) {}
  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;
  // A box of the program's opens (true) or is answered (false): the saver
  // goes below the windows meanwhile, where the box can be seen.
  void BoxOpen(bool open);

 private:
  friend class WaylandSaverWindow;
  WaylandSaverWindow* live_ = nullptr;  // the window made last, while it lives
  WaylandDisplay& display_;
  std::string session_;
  std::function<void()> onGone_;
};

}  // namespace quimbel::linux_port
