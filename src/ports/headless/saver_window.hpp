#pragma once
// Headless saver window: records what the core did to it, keeps the frames it
// was given for pixel checks, and lets tests fire its timers and input.
#include <memory>
#include <string>
#include <vector>

#include "platform/saver_window.hpp"

namespace quimbel::headless {

class HeadlessProcess;
class HeadlessScreen;

struct FocusHolderBounds {
  int width = 0, height = 0, left = 0, top = 0;
};

struct SaverRecord {
  std::string title;
  bool alive = true;                             // false once the window was destroyed
  int width = 0, height = 0, left = 0, top = 0;  // screen pixels
  int shownLeft = 0, shownTop = 0;               // where it lay when it first became visible
  int timer1Ms = 0, timer2Ms = 0;                // the periods asked for; 0 while stopped
  FocusHolderBounds focusHolder;
  bool visible = false;
  bool focused = false;
  bool normalState = false;
  bool topmost = false;
  bool defaultPointer = true;
  base::Icon pointer;  // the custom pointer's picture while !defaultPointer
  // Every call, in order. A run of Present calls is logged once, so the log
  // stays small over a long run; presentCount counts them all.
  std::vector<std::string> calls;
  long presentCount = 0;

  // The n-th presented frame (0 is the first), while it is still kept.
  const base::Surface* Frame(long n) const;
  // The frame the window shows now (an empty surface before any Present).
  const base::Surface& Shown() const;

  // The rectangles of the latest Present.
  std::vector<base::Rect> changed;
  // Repaints the whole window from the frame it was last given, as a port
  // does when the system asks.
  void Repaint();

  // Deliver the window's events as its message loop would; a timer fires
  // only once the core has started it.
  void FireTimer1();
  void FireTimer2();
  void Click();
  void KeyDown();
  void MovePointer(std::int32_t x, std::int32_t y);  // screen pixels
  void DisplayPower(bool lit);

  // Internals of the headless window.
  platform::SaverEvents* events = nullptr;
  std::size_t keepFrames = 16;
  std::vector<base::Surface> ring;           // frame n lives at n % keepFrames
  const base::Surface* presented = nullptr;  // the frame the window looks at
  std::vector<base::Pixel> memory;           // FrameMemory's, when offered
};

class HeadlessSaverFactory : public platform::SaverWindowFactory {
 public:
  // The window registers its title with the process while it exists and lies
  // over the desktop in the screen's captures once it has presented a frame.
  HeadlessSaverFactory(HeadlessProcess& process, HeadlessScreen& screen);

  std::vector<std::shared_ptr<SaverRecord>> created;
  // How many of the latest frames each new window keeps (at least 1).
  std::size_t keepFrames = 16;
  // Whether new windows offer memory of their own to compose frames in.
  bool offerFrameMemory = false;

  // The newest window's record.
  SaverRecord& Last() { return *created.back(); }

  std::unique_ptr<platform::SaverWindow> CreateSaverWindow(std::string_view title,
                                                           platform::SaverEvents& events) override;

 private:
  HeadlessProcess& process_;
  HeadlessScreen& screen_;
};

}  // namespace quimbel::headless
