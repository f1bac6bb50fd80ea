#pragma once
// The seam: the screen, its monitors and metrics, the pointer and caret, and
// foreign windows' rectangles.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

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

// One monitor: its rectangle in screen pixels and its scale, the logical dpi
// / 96 (1 at 96 dpi, 1.25 at 120, 1.5 at 144) or the factor the system sets
// for it.
struct Monitor {
  Rect32 rect;
  double scale = 1;
  bool primary = false;
};

// A host window as the command line names it: a Win32 window handle or an X
// window id, read as a signed 32-bit number.
using WindowHandle = std::int32_t;

class Screen {
 public:
  virtual ~Screen() = default;

  // Every monitor: its rectangle in screen pixels and its scale, the primary
  // one marked. A port that cannot tell its monitors apart reports one that
  // covers the screen. Everything on this seam is in pixels: the core scales
  // its own layout numbers with a monitor's scale.
  virtual std::vector<Monitor> Monitors() = 0;

  // Read from Monitors() the same way for every port. The rectangle that
  // bounds every monitor is the whole desktop: its corner is negative where a
  // monitor lies left of or above the primary one, and parts of it may lie
  // on no monitor at all. The primary monitor need not start at (0, 0); with
  // none marked, the first counts, and with no monitor at all nothing is
  // there (an empty rectangle, scale 1).
  Rect32 DesktopPx() {
    const std::vector<Monitor> all = Monitors();
    if (all.empty())
      return {};
    Rect32 bounds = all.front().rect;
    for (const Monitor& m : all)
      bounds = Bounds(bounds, m.rect);
    return bounds;
  }
  Rect32 PrimaryMonitorPx() { return Primary().rect; }
  double PrimaryMonitorScale() {
    const double scale = Primary().scale;
    return scale > 0 ? scale : 1;
  }

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
  // whose captures never show its own windows may hold nothing; one whose
  // saver window never paints before the first frame may hand the picture
  // itself to a capture of exactly the held area, rather than a copy, and
  // read the live screen from then on.
  virtual void HoldDesktop(const Rect32& area) = 0;
  virtual void ReleaseDesktop() = 0;

  // The pointer's screen position and the caret's position as the platform
  // reports them. A failing query returns false and leaves the point unchanged.
  virtual bool CursorPos(Point32& p) = 0;
  // A tick says here, before it draws its frame, that it will ask CursorPos
  // after it: a port whose question is a round trip may send it now and
  // read the answer then, so that nobody sleeps waiting for it.
  virtual void AskCursorPos() {}
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

 private:
  Monitor Primary() {
    const std::vector<Monitor> all = Monitors();
    for (const Monitor& m : all)
      if (m.primary)
        return m;
    return all.empty() ? Monitor{} : all.front();
  }
};

}  // namespace quimbel::platform
