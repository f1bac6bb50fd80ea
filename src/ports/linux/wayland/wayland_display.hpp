#pragma once
// One connection to the Wayland compositor: its globals and outputs, and
// the reading of its events for whoever runs the event loop. Wayland's types
// stay inside this part (wayland_globals.hpp).
#include <memory>
#include <vector>

#include "ports/linux/wayland/output_layout.hpp"

namespace quimbel::linux_port {

struct WaylandGlobals;

class WaylandDisplay {
 public:
  // Connects to $WAYLAND_DISPLAY and learns the outputs' places; nothing when
  // no compositor answers or it offers no layer shell (the saver then stays
  // on X11).
  static std::unique_ptr<WaylandDisplay> ConnectWithLayerShell();
  explicit WaylandDisplay(std::unique_ptr<WaylandGlobals> globals);
  ~WaylandDisplay();
  WaylandDisplay(const WaylandDisplay&) = delete;
  WaylandDisplay& operator=(const WaylandDisplay&) = delete;

  // The whole scale of the saver's pixels (InPixels), decided once on
  // connecting: the scale of the first output the compositor names.
  int PixelScale() const;
  // The outputs' rectangles in those pixels with each output's own scale,
  // in the order the compositor named them.
  struct Placed {
    OutputArea pixels;
    int scale = 1;
  };
  std::vector<Placed> Outputs() const;
  // Whether the compositor lets a client copy an output's pixels.
  bool CanCopyScreen() const;

  // Reads what the socket holds now, without waiting for more, handles it
  // and sends what is queued; false once the connection is broken.
  bool ReadEvents();

  WaylandGlobals& Globals() { return *globals_; }

 private:
  // Handles events already read and sends what is queued.
  bool DispatchPending();

  std::unique_ptr<WaylandGlobals> globals_;
};

}  // namespace quimbel::linux_port
