#pragma once
// Whether the displays the saver covers are lit, as the compositor's output
// power management tells it: dark once every covered output is off, lit
// again as soon as one is on. It only listens; setting a mode would keep a
// display on that power management wants off.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

class OutputPower {
 public:
  // onChange(lit) runs from the compositor's event dispatch, on a change only.
  OutputPower(WaylandGlobals& globals, std::function<void(bool)> onChange);
  ~OutputPower();
  OutputPower(const OutputPower&) = delete;
  OutputPower& operator=(const OutputPower&) = delete;

  // Covers output from now on, until Forget. Without the compositor's power
  // management nothing is watched and nothing is ever reported.
  void Watch(wl_output* output);
  void Forget(wl_output* output);

  // For the protocol's callbacks.
  struct Watched {
    OutputPower* owner = nullptr;
    wl_output* output = nullptr;
    zwlr_output_power_v1* power = nullptr;
    // Until the compositor says otherwise, or when it cannot say (failed),
    // an output counts as lit: the saver never stops for a display it knows
    // nothing of.
    bool off = false;
  };
  void Changed();

 private:
  WaylandGlobals& globals_;
  std::function<void(bool)> onChange_;
  std::vector<std::unique_ptr<Watched>> watched_;
  bool dark_ = false;
};

}  // namespace quimbel::linux_port
