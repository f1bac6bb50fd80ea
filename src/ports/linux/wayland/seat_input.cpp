#include "ports/linux/wayland/seat_input.hpp"

#include <unistd.h>

namespace quimbel::linux_port {
namespace {

SeatInput& Of(void* data) {
  return *static_cast<SeatInput*>(data);
}

void PointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x,
                  wl_fixed_t y) {
  Of(data).Enter(serial, surface, x, y);
}
void PointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) {}
void PointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  Of(data).Motion(x, y);
}
void PointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  Of(data).Button(state);
}
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void*, wl_pointer*) {}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
void PointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}
const wl_pointer_listener kPointerListener = {
    PointerEnter, PointerLeave,      PointerMotion,   PointerButton,       PointerAxis,
    PointerFrame, PointerAxisSource, PointerAxisStop, PointerAxisDiscrete, PointerAxisValue120};

void KeyboardKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) {
  // Any key ends the saver: which key it was does not matter.
  close(fd);
}
void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t state) {
  Of(data).Key(state);
}
void KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void KeyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {KeyboardKeymap, KeyboardEnter,     KeyboardLeave,
                                                KeyboardKey,    KeyboardModifiers, KeyboardRepeat};

}  // namespace

SeatInput::SeatInput(WaylandGlobals& globals, platform::SaverEvents& events, int scale,
                     OriginOf originOf)
    : globals_(globals), events_(events), scale_(scale), originOf_(std::move(originOf)) {
  if (globals_.seat == nullptr)
    return;
  globals_.onSeatCapabilities = [this](uint32_t caps) { Capabilities(caps); };
  Capabilities(globals_.seatCapabilities);
}

SeatInput::~SeatInput() {
  globals_.onSeatCapabilities = nullptr;
  Capabilities(0);
}

void SeatInput::Capabilities(uint32_t caps) {
  const bool pointer = (caps & WL_SEAT_CAPABILITY_POINTER) != 0;
  const bool keyboard = (caps & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (pointer && pointer_ == nullptr) {
    pointer_ = wl_seat_get_pointer(globals_.seat);
    wl_pointer_add_listener(pointer_, &kPointerListener, this);
  } else if (!pointer && pointer_ != nullptr) {
    wl_pointer_release(pointer_);
    pointer_ = nullptr;
  }
  if (keyboard && keyboard_ == nullptr) {
    keyboard_ = wl_seat_get_keyboard(globals_.seat);
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
  } else if (!keyboard && keyboard_ != nullptr) {
    wl_keyboard_release(keyboard_);
    keyboard_ = nullptr;
  }
}

void SeatInput::Enter(uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
  std::optional<platform::Point32> origin = originOf_(surface);
  overSaver_ = origin.has_value();
  if (!overSaver_)
    return;
  over_ = *origin;
  // No pointer picture over the saver.
  wl_pointer_set_cursor(pointer_, serial, nullptr, 0, 0);
  Motion(x, y);
}

void SeatInput::Motion(wl_fixed_t x, wl_fixed_t y) {
  if (overSaver_)
    events_.OnPointerMove(over_.x + static_cast<int>(wl_fixed_to_double(x) * scale_),
                          over_.y + static_cast<int>(wl_fixed_to_double(y) * scale_));
}

void SeatInput::Button(uint32_t state) {
  if (state == WL_POINTER_BUTTON_STATE_PRESSED)
    events_.OnClick();
}

void SeatInput::Key(uint32_t state) {
  if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
    events_.OnKeyDown();
}

}  // namespace quimbel::linux_port
