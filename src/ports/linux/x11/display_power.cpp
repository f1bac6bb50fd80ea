#include "ports/linux/x11/display_power.hpp"

#include <X11/Xlib.h>
// Needs Xlib's types before it.
#include <X11/extensions/dpms.h>

namespace quimbel::linux_port {

bool LitFromDpms(const DpmsReading& reading) {
  return !reading.extension || !reading.capable || !reading.enabled || reading.level == 0;
}

DpmsReading ReadDpms(_XDisplay* display) {
  DpmsReading reading;
  int event = 0;
  int error = 0;
  if (display == nullptr || !DPMSQueryExtension(display, &event, &error))
    return reading;
  reading.extension = true;
  reading.capable = DPMSCapable(display) != 0;
  if (!reading.capable)
    return reading;
  CARD16 level = 0;
  BOOL enabled = 0;
  if (!DPMSInfo(display, &level, &enabled))
    return reading;
  reading.enabled = enabled != 0;
  reading.level = level;
  return reading;
}

}  // namespace quimbel::linux_port
