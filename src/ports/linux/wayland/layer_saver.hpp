#pragma once
// The saver on a Wayland compositor: one surface per output on the layer
// shell's overlay layer, above every window and panel, each showing its
// output's part of the one frame; the pointer hidden over them, and its
// motion, buttons and keys passed on. Events reach the core only from the
// compositor's event dispatch (WaylandDisplay::ReadEvents), never from a
// call made here.
#include <memory>
#include <span>
#include <vector>

#include "base/surface.hpp"
#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

class WaylandDisplay;
struct LayerOutput;

class LayerSaver {
 public:
  LayerSaver(WaylandDisplay& display, platform::SaverEvents& events);
  ~LayerSaver();
  LayerSaver(const LayerSaver&) = delete;
  LayerSaver& operator=(const LayerSaver&) = delete;

  // Where the frame's top-left pixel lies in the compositor's global space.
  void SetFrameOrigin(platform::Point32 origin);
  // Asks for the surfaces; they appear with the first frame, so until then
  // the desktop stays as it was.
  void Show();
  // Shows the frame's changed rectangles on every output they touch. The
  // frame lives as long as the saver: a surface configured later, or a
  // buffer the compositor releases later, is filled from it then.
  void Present(const base::Surface& frame, std::span<const base::Rect> changed);

  // Above every window on the overlay layer with the keyboard (true), or
  // below the windows on the bottom layer without it, so that a box the
  // program shows is seen and answered. A compositor that cannot move a
  // layer surface (layer shell before version 2) keeps it where it is.
  void SetAboveWindows(bool above);

  // For the part's input and surface callbacks.
  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quimbel::linux_port
