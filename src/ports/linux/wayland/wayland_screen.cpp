#include "ports/linux/wayland/wayland_screen.hpp"

#include "ports/linux/wayland/screencopy.hpp"
#include "ports/linux/wayland/wayland_display.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

WaylandScreen::WaylandScreen(WaylandDisplay& display) : display_(display) {
  std::vector<OutputArea> outputs = display.Outputs();
  desktop_ = SceneBounds(outputs);
  for (const OutputArea& o : outputs) {
    if (o.width > 0 && o.height > 0) {
      primary_ = {o.x, o.y, o.x + o.width, o.y + o.height};
      break;
    }
  }
}

bool WaylandScreen::CaretPos(platform::Point32& p) {
  // No system caret here either: the program never shows one.
  p = {};
  return true;
}

void WaylandScreen::HoldSnapshot() {
  const int width = desktop_.right - desktop_.left;
  const int height = desktop_.bottom - desktop_.top;
  if (!display_.CanCopyScreen() || width <= 0 || height <= 0)
    return;
  base::Surface whole(width, height);
  bool any = false;
  WaylandGlobals& g = display_.Globals();
  for (auto& o : g.outputs) {
    const OutputArea& a = o->area;
    base::Surface part(a.width, a.height);
    if (!CopyOutput(g, *o, part))
      continue;
    any = true;
    const int left = a.x - desktop_.left;
    const int top = a.y - desktop_.top;
    for (int y = 0; y < a.height; ++y) {
      if (top + y < 0 || top + y >= height)
        continue;
      for (int x = 0; x < a.width; ++x) {
        if (left + x >= 0 && left + x < width)
          whole.At(left + x, top + y) = part.At(x, y);
      }
    }
  }
  if (any) {
    snapshot_ = std::move(whole);
    holding_ = true;
  }
}

bool WaylandScreen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  if (!holding_)
    return false;
  return platform::CaptureHeld(snapshot_, desktop_.left, desktop_.top, dst, x, y, width, height);
}

}  // namespace quimbel::linux_port
