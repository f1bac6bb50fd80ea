#pragma once
// The seat's pointer and keyboard over the saver's surfaces: the pointer
// hidden on entering, its motion in global coordinates, buttons and key
// presses, all passed to the core as they come.
#include <functional>
#include <optional>

#include "platform/saver_window.hpp"
#include "platform/screen.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

class SeatInput {
 public:
  // originOf: the global position of a surface's top-left corner, nothing for
  // a surface that is not the saver's.
  using OriginOf = std::function<std::optional<platform::Point32>(wl_surface*)>;
  // scale: the saver's pixels per logical pixel, in which originOf answers
  // and the core is told the pointer's position.
  SeatInput(WaylandGlobals& globals, platform::SaverEvents& events, int scale, OriginOf originOf);
  ~SeatInput();
  SeatInput(const SeatInput&) = delete;
  SeatInput& operator=(const SeatInput&) = delete;

  // The seat's devices come and go (a virtual keyboard, a pointer plugged in).
  void Capabilities(uint32_t caps);
  void Enter(uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
  void Motion(wl_fixed_t x, wl_fixed_t y);
  void Button(uint32_t state);
  void Key(uint32_t state);

 private:
  WaylandGlobals& globals_;
  platform::SaverEvents& events_;
  int scale_;
  OriginOf originOf_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  platform::Point32 over_;  // the origin of the surface the pointer is on
  bool overSaver_ = false;
};

}  // namespace quimbel::linux_port
