#include "ports/linux/wayland/wayland_screen.hpp"

#include <algorithm>

#include "ports/linux/wayland/screencopy.hpp"
#include "ports/linux/wayland/wayland_display.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

WaylandScreen::WaylandScreen(WaylandDisplay& display) : display_(display) {
  for (const WaylandDisplay::Placed& o : display.Outputs()) {
    const OutputArea& a = o.pixels;
    if (a.width > 0 && a.height > 0)
      monitors_.push_back(
          {{a.x, a.y, a.x + a.width, a.y + a.height}, double(o.scale), monitors_.empty()});
  }
}

bool WaylandScreen::CaretPos(platform::Point32& p) {
  // No system caret here either: the program never shows one.
  p = {};
  return true;
}

void WaylandScreen::HoldDesktop(const platform::Rect32& area) {
  held_.Hold(area, [this](base::Surface& dst, int x, int y, int w, int h) {
    return CaptureOutputs(dst, x, y, w, h);
  });
}

bool WaylandScreen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  // The scene's capture comes before anything else reads the held picture:
  // the core's background may take the picture itself.
  if (held_.Held())
    return held_.HandOver(dst, x, y, width, height);
  return CaptureOutputs(dst, x, y, width, height);
}

bool WaylandScreen::CaptureOutputs(base::Surface& dst, int x, int y, int width, int height) {
  if (!display_.CanCopyScreen())
    return false;
  const int w = std::min(width, dst.Width());
  const int h = std::min(height, dst.Height());
  bool any = false;
  WaylandGlobals& g = display_.Globals();
  for (auto& o : g.outputs) {
    const OutputArea a = InPixels(o->area, g.pixelScale);
    // Only the outputs the rectangle touches are copied.
    if (a.x >= x + w || a.y >= y + h || a.x + a.width <= x || a.y + a.height <= y)
      continue;
    base::Surface part(a.width, a.height);
    if (!CopyOutput(g, *o, part))
      continue;
    any = true;
    for (int row = std::max(0, a.y - y); row < std::min(h, a.y + a.height - y); ++row) {
      for (int col = std::max(0, a.x - x); col < std::min(w, a.x + a.width - x); ++col)
        dst.At(col, row) = part.At(x + col - a.x, y + row - a.y);
    }
  }
  return any;
}

}  // namespace quimbel::linux_port
