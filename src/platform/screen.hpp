#pragma once
// The seam: the screen, its monitors and metrics, the pointer and caret, and
// foreign windows' rectangles.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "base/surface.hpp"

namespace quimbel::platform {

struct Point32 {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Rect32 {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The smallest rectangle that holds both.
inline Rect32 Bounds(const Rect32& a, const Rect32& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Capture from a picture of the desktop taken earlier, whose top-left pixel
// lies at (heldLeft, heldTop) of the screen: a rectangle that starts outside
// the picture cannot be read.
inline bool CaptureHeld(const base::Surface& held, int heldLeft, int heldTop, base::Surface& dst,
                        int x, int y, int width, int height) {
  const int left = x - heldLeft;
  const int top = y - heldTop;
  const int w = std::min({width, dst.Width(), held.Width() - left});
  const int h = std::min({height, dst.Height(), held.Height() - top});
  if (w <= 0 || h <= 0 || left < 0 || top < 0)
    return false;
  for (int row = 0; row < h; ++row)
    std::memcpy(dst.Row(row), held.Row(top + row) + left, static_cast<std::size_t>(w) * 4);
  return true;
}

// A host window as the command line names it: a Win32 window handle or an X
// window id, read as a signed 32-bit number.
using WindowHandle = std::int32_t;

class Screen {
 public:
  virtual ~Screen() = default;

  // The primary monitor's scale: its logical dpi / 96 (1 at 96 dpi, 1.25 at
  // 120, 1.5 at 144), or the factor the system sets for it; 1 when unknown.
  // Everything else on this seam is in pixels: the core scales its own
  // layout numbers with it.
  virtual double PrimaryMonitorScale() = 0;
  // The rectangle that bounds every monitor, in screen pixels: the whole
  // desktop. Its corner is negative where a monitor lies left of or above the
  // primary one; parts of it may lie on no monitor at all.
  virtual Rect32 DesktopPx() = 0;
  // The primary monitor's rectangle in screen pixels. It need not start at
  // (0, 0).
  virtual Rect32 PrimaryMonitorPx() = 0;

  // Copies the screen rectangle (x, y, width, height) into dst at (0, 0),
  // clipped to dst. Returns false, leaving dst as it was, when the screen
  // cannot be read.
  virtual bool Capture(base::Surface& dst, int x, int y, int width, int height) = 0;

  // The desktop snapshot, one rule for every port. The core calls
  // HoldDesktop once per saver run, before it creates the saver window, with
  // exactly the screen rectangle the saver will cover: the port takes a
  // picture of that rectangle, no more, and from then on Capture reads from
  // it instead of the live screen (which soon shows the saver window
  // itself), and a saver window that must paint before its first frame
  // shows that picture. The core copies its background out of it once,
  // before the first frame, and calls ReleaseDesktop as soon as that frame
  // is presented: the port lets go of the picture at once (at 4K it is
  // 32 MB per monitor) and Capture reads the live screen again. A port
  // whose captures never show its own windows may hold nothing.
  virtual void HoldDesktop(const Rect32& area) = 0;
  virtual void ReleaseDesktop() = 0;

  // The pointer's screen position and the caret's position as the platform
  // reports them. A failing query returns false and leaves the point unchanged.
  virtual bool CursorPos(Point32& p) = 0;
  // False where the platform cannot tell where the pointer is when asked (a
  // Wayland session, say): CursorPos then always fails, and the saver window
  // reports the pointer's motion over it instead (SaverEvents::OnPointerMove).
  virtual bool CanPollPointer() { return true; }
  virtual bool CaretPos(Point32& p) = 0;

  // Where the platform must ask rather than being told: whether any display
  // the saver covers is lit, false once power management switched them all
  // off (a dimmed display is lit). Nothing where the platform tells the
  // changes itself (SaverEvents::OnDisplayPower) or knows nothing of its
  // displays' power. The core asks about once a second during a saver run.
  virtual std::optional<bool> DisplaysLit() { return std::nullopt; }

  // The screen rectangle of the window with this handle. A failing query
  // returns false and leaves the rectangle unchanged.
  virtual bool WindowRect(WindowHandle handle, Rect32& r) = 0;
};

}  // namespace quimbel::platform
