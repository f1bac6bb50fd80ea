// A test-only stand-in for the X server's DPMS, which neither Xvfb nor Xorg's
// dummy driver offers: preloaded into the real program, it answers the
// program's own DPMS requests from the file named by QUIMBEL_FAKE_DPMS, whose
// first word is the server's state: "on", "standby", "suspend", "off" (power
// saving enabled at that level) or "disabled". Everything else the program
// does with the server is real.
#include <X11/Xlib.h>
// Needs Xlib's types before it.
#include <X11/extensions/dpms.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string State() {
  const char* file = std::getenv("QUIMBEL_FAKE_DPMS");
  std::string word = "on";
  if (file != nullptr) {
    std::ifstream in(file);
    in >> word;
  }
  return word;
}

}  // namespace

extern "C" {

Bool DPMSQueryExtension(Display*, int* event, int* error) {
  *event = 0;
  *error = 0;
  return True;
}

Bool DPMSCapable(Display*) {
  return True;
}

Status DPMSInfo(Display*, CARD16* level, BOOL* enabled) {
  const std::string state = State();
  *enabled = state != "disabled";
  *level = state == "standby"   ? DPMSModeStandby
           : state == "suspend" ? DPMSModeSuspend
           : state == "off"     ? DPMSModeOff
                                : DPMSModeOn;
  return 1;
}

}  // extern "C"
