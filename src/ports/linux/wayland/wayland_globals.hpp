#pragma once
// The compositor's objects as the part's files share them. Only this part's
// sources include it: it brings in libwayland's and the protocols' headers.
#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ports/linux/wayland/output_layout.hpp"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-output-power-management-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace quimbel::linux_port {

struct WaylandGlobals;

struct WaylandOutput {
  WaylandGlobals* globals = nullptr;
  wl_output* output = nullptr;
  std::uint32_t name = 0;  // the registry's name for it
  zxdg_output_v1* xdgOutput = nullptr;
  // The logical place: xdg-output's when the compositor has it, else the
  // core protocol's position with the mode divided by the scale.
  OutputArea area;
  bool logicalKnown = false;
  int modeWidth = 0, modeHeight = 0, scale = 1;
  bool described = false;  // its place and scale came in full once
};

struct WaylandGlobals {
  ~WaylandGlobals();
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  wl_seat* seat = nullptr;
  // What the seat has now (the compositor says so once on binding, then on
  // every change), and who wants to know of changes.
  std::uint32_t seatCapabilities = 0;
  std::function<void(std::uint32_t)> onSeatCapabilities;
  zwlr_layer_shell_v1* layerShell = nullptr;
  zwlr_screencopy_manager_v1* screencopy = nullptr;
  std::uint32_t screencopyVersion = 0;
  zxdg_output_manager_v1* xdgOutputs = nullptr;
  zwlr_output_power_manager_v1* outputPower = nullptr;  // nothing where the compositor has none
  std::vector<std::unique_ptr<WaylandOutput>> outputs;
  // Who wants to know when an output plugged in later is fully described,
  // and when one is unplugged (before it is destroyed).
  std::function<void(WaylandOutput&)> onOutputDescribed;
  std::function<void(WaylandOutput&)> onOutputGone;
  int pixelScale = 1;  // WaylandDisplay::PixelScale
};

}  // namespace quimbel::linux_port
