#include "ports/headless/screen.hpp"

#include <algorithm>

namespace quimbel::headless {

std::vector<platform::Monitor> HeadlessScreen::Monitors() {
  if (monitors.empty())
    return {{{0, 0, widthPx, heightPx}, scale, true}};
  std::vector<platform::Monitor> all;
  for (const platform::Rect32& m : monitors)
    all.push_back({m, scale, all.empty()});
  return all;
}

bool HeadlessScreen::Capture(base::Surface& dst, int x, int y, int width, int height) {
  ++captureCount;
  if (captureFails)
    return false;
  if (held.Held())
    return held.Capture(dst, x, y, width, height);
  CaptureLive(dst, x, y, width, height);
  return true;
}

void HeadlessScreen::HoldDesktop(const platform::Rect32& area) {
  holds.push_back(area);
  held.Hold(area, [this](base::Surface& dst, int x, int y, int w, int h) {
    if (captureFails)
      return false;
    CaptureLive(dst, x, y, w, h);
    return true;
  });
}

void HeadlessScreen::ReleaseDesktop() {
  ++releases;
  held.Release();
}

void HeadlessScreen::CaptureLive(base::Surface& dst, int x, int y, int width, int height) {
  const platform::Rect32 all = DesktopPx();
  int w = std::min({width, dst.Width(), all.right - x});
  int h = std::min({height, dst.Height(), all.bottom - y});
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      int sx = x + col - all.left;
      int sy = y + row - all.top;
      bool inside = sx >= 0 && sy >= 0 && sx < desktop.Width() && sy < desktop.Height();
      dst.At(col, row) = inside ? desktop.At(sx, sy) : base::kBlack;
    }
  }
  for (auto& paint : windowsOver)
    paint(dst, x, y, w, h);
}

bool HeadlessScreen::CursorPos(platform::Point32& p) {
  queryLog.push_back('P');
  if (cursorQueryFails || !pointerPollable)
    return false;
  p = cursor;
  return true;
}

bool HeadlessScreen::CaretPos(platform::Point32& p) {
  queryLog.push_back('C');
  if (caretQueryFails)
    return false;
  p = caret;
  return true;
}

bool HeadlessScreen::WindowRect(platform::WindowHandle handle, platform::Rect32& r) {
  auto it = windows.find(handle);
  if (it == windows.end())
    return false;
  r = it->second;
  return true;
}

}  // namespace quimbel::headless
