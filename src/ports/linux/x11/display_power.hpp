#pragma once
// The displays' power as the X server keeps it: its DPMS state (the server's
// own power saving, e.g. `xset dpms force off`), asked for when the core
// asks, a round trip of its own.
#include <cstdint>

struct _XDisplay;

namespace quimbel::linux_port {

// What the server told of its DPMS state.
struct DpmsReading {
  bool extension = false;   // the server has the extension
  bool capable = false;     // and its screen can save power
  bool enabled = false;     // and power saving is switched on
  std::uint16_t level = 0;  // DPMSModeOn 0, Standby 1, Suspend 2, Off 3
};

// Lit unless power saving is on and has put the displays into any of its
// dark levels. A server without it, or with it off, keeps them lit.
bool LitFromDpms(const DpmsReading& reading);

// The server's DPMS state now.
DpmsReading ReadDpms(_XDisplay* display);

}  // namespace quimbel::linux_port
