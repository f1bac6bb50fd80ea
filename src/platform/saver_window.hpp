#pragma once
// The seam: the full-screen saver window.
//
// The core decides every size, position, timer period and step order; a port
// only carries them out. Every position and size is in pixels.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "base/surface.hpp"

namespace quimbel::platform {

// The core's side of the window: what its timers and input lead to. A port
// calls these from its message loop only, never from inside a SaverWindow
// call. It delivers them also from the nested loop of a message box that a
// handler opened: the core keeps to one box at a time and holds the
// animation while a box is open, but the music goes on. The handlers never
// throw (the core's event boundary reports what nothing trapped and ends the
// process); after the core has ended the process they do nothing.
class SaverEvents {
 public:
  virtual ~SaverEvents() = default;
  // Each timer's period, from the moment the core started it
  // (SaverWindow::StartTimer).
  virtual void OnTimer1() = 0;
  virtual void OnTimer2() = 0;
  // A mouse click (any button) anywhere on the window.
  virtual void OnClick() = 0;
  // A key press (any key, any shift state) while the focus holder has the focus.
  virtual void OnKeyDown() = 0;
  // The pointer moved over the window (or entered it); its position in
  // screen pixels. A port reports it whether or not its screen can poll the
  // pointer; the core uses it only where it cannot.
  virtual void OnPointerMove(std::int32_t x, std::int32_t y) = 0;
  // Power management switched every display the window covers off (lit
  // false), or one of them on again (lit true), as the platform tells it: a
  // port that is told reports each change; one that must ask offers
  // Screen::DisplaysLit instead. A dimmed display counts as on. Reporting
  // the state the core already knows does nothing.
  virtual void OnDisplayPower(bool lit) = 0;
};

// The window's two timers, told apart by the event each one calls.
enum class SaverTimer { k1, k2 };

class SaverWindow {
 public:
  virtual ~SaverWindow() = default;

  // Starts the timer: from now on its event (OnTimer1 or OnTimer2) comes
  // every periodMs milliseconds while the window exists; ticks that fall due
  // while a handler runs are merged. Starting a running timer restarts it
  // with the new period. A period below 1 counts as 1.
  virtual void StartTimer(SaverTimer timer, int periodMs) = 0;
  // Stops the timer: its event comes no more until it is started again.
  // Stopping a stopped timer does nothing.
  virtual void StopTimer(SaverTimer timer) = 0;
  // The window's outer size in pixels. The window is borderless and has no
  // caption, so this is also the size of its drawing area.
  virtual void SetSizePx(int width, int height) = 0;
  // The window's top-left corner in screen pixels. A position beyond the
  // screen's bottom-right corner puts the window wholly off the screen.
  virtual void SetPositionPx(int left, int top) = 0;
  // Bounds of the focus holder, a small child window that takes the key
  // presses, in window pixels. It may lie wholly outside the visible area.
  virtual void SetFocusHolderBounds(int width, int height, int left, int top) = 0;
  // Shows the window, modeless and without an owner. Showing must not paint
  // anything: until the first Present the screen under the window stays as
  // it was. A window that must paint before then shows the picture its
  // screen holds (Screen::HoldDesktop), from which the core captures the
  // desktop after this call.
  virtual void Show() = 0;
  // Gives the keyboard focus to the focus holder (and activates the window).
  virtual void FocusHolder() = 0;
  // Sets the window state to normal: neither minimised nor maximised.
  virtual void SetNormalState() = 0;
  // Mouse pointer over the window: the given picture (transparent pixels
  // masked out), or the platform's default pointer.
  virtual void SetPointer(const base::Icon& picture) = 0;
  virtual void SetDefaultPointer() = 0;
  // Memory of the window's own, width * height pixels with rows top down, in
  // which the core then composes every frame, so the window presents from
  // there without copying; or nullptr, and the core composes in memory of
  // its own. Asked once, before the first frame.
  virtual base::Pixel* FrameMemory(int width, int height) = 0;
  // Shows the finished frame at the window's top-left corner, in one piece
  // and at once, replacing the previous one. changed holds the rectangles
  // where it differs from the frame presented before (on the first call, the
  // whole frame); elsewhere the window keeps what it shows. The frame is the
  // core's work surface, the size of the screen: it lives as long as the
  // window and changes only inside the core's event handlers, each of which
  // ends with another Present, so the window may look at its pixels instead
  // of copying them and repaint any part of it whenever the system asks.
  virtual void Present(const base::Surface& frame, std::span<const base::Rect> changed) = 0;
  // Puts the window above every window that is not itself topmost, without
  // moving, resizing or activating it, and shows it.
  virtual void MakeTopmost() = 0;
};

class SaverWindowFactory {
 public:
  virtual ~SaverWindowFactory() = default;
  // Creates the hidden saver window with this title (the single-instance
  // test looks for it) and a silver (192, 192, 192) background that is never
  // painted before the first Present. Its timers run once the core starts
  // them; their events, like the input events, go to events, which outlives
  // the window.
  virtual std::unique_ptr<SaverWindow> CreateSaverWindow(std::string_view title,
                                                         SaverEvents& events) = 0;
};

}  // namespace quimbel::platform
