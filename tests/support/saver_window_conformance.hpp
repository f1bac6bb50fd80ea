#pragma once
// What every saver window promises the core, written once and run against
// each port's window through a driver that makes the port's factory and works
// its window the way that port's system does. A driver has kSeesTheScreenUnder
// and kTimersRunByThemselves (a check it cannot make is skipped, saying why),
// Factory(), Screen() (the port's, which holds the desktop's picture for the
// window), ScreenPx(), PaintDesktop(colour) under the window
// to come, Find(title) as another program would (the rest then use what it
// found), Visible(), GeometryPx() on the screen, ShownAt(x, y) on the screen at
// a window pixel once paints are done, RunUntil(done, ms) of its event loop,
// SystemRepaint(), Click(x, y) and MovePointer(x, y) in window pixels, Key() to
// whatever holds the focus, and DefaultPointer() (the platform's own).
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Port, SaverWindowConformance, PortDriver);
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string_view>

#include "platform/saver_window.hpp"
#include "platform/screen.hpp"
#include "support/counting_saver_events.hpp"

namespace quimbel::conformance {

template <class Driver>
class SaverWindowConformance : public ::testing::Test {
 protected:
  static constexpr std::string_view kTitle = "SAVER Screen";
  static constexpr base::Pixel kDesktop = base::Rgb(0, 255, 0);

  Driver driver;
  fixtures::CountingSaverEvents events;
  base::Surface frame;  // the core's work surface outlives the window
  std::unique_ptr<platform::SaverWindow> window;

  void Create() {
    window = driver.Factory().CreateSaverWindow(kTitle, events);
    ASSERT_TRUE(driver.Find(kTitle)) << "the window is found by its title";
  }
  void Place(int x, int y, int width, int height) {
    window->SetSizePx(width, height);
    window->SetPositionPx(x, y);
  }
  // As the core starts a run: the desktop under the window held, a window of
  // 160 × 100 at (180, 140) with its timers started, shown, the holder out of
  // sight and focused; the frame in the window's memory where it offers some.
  void Start(base::Pixel fill) {
    driver.Screen().HoldDesktop({180, 140, 340, 240});
    Create();
    window->StartTimer(platform::SaverTimer::k1, 100);
    window->StartTimer(platform::SaverTimer::k2, 10);
    Place(180, 140, 160, 100);
    window->SetFocusHolderBounds(10, 10, -50, -50);
    window->Show();
    window->FocusHolder();
    if (base::Pixel* memory = window->FrameMemory(160, 100))
      frame.Wrap(memory, 160, 100, fill);
    else
      frame.Reset(160, 100, fill);
  }
  template <class Done>
  void RunUntil(Done done) {
    driver.RunUntil(done, 3000);
  }
};

TYPED_TEST_SUITE_P(SaverWindowConformance);

TYPED_TEST_P(SaverWindowConformance, CreatedHiddenPlacedInPixelsAndFoundByTitleUntilDestroyed) {
  this->Create();
  auto& d = this->driver;
  EXPECT_FALSE(d.Visible());
  this->Place(180, 140, 160, 100);
  EXPECT_EQ(d.GeometryPx(), (base::Rect{180, 140, 160, 100}));
  this->window->MakeTopmost();
  EXPECT_TRUE(d.Visible());
  EXPECT_EQ(d.GeometryPx(), (base::Rect{180, 140, 160, 100})) << "topmost, where it was";
  const base::Rect screen = d.ScreenPx();
  this->window->SetPositionPx(screen.x + screen.width, screen.y + screen.height);
  const base::Rect off = d.GeometryPx();
  EXPECT_GE(off.x, screen.x + screen.width);
  EXPECT_GE(off.y, screen.y + screen.height);
  this->window.reset();
  EXPECT_FALSE(d.Find(this->kTitle));
}

// The core captures the desktop right after Show, from the screen's held
// picture: the desktop must still be there, on the screen and in the picture.
TYPED_TEST_P(SaverWindowConformance, NothingIsPaintedBeforeTheFirstFrame) {
  if constexpr (!TypeParam::kSeesTheScreenUnder) {
    GTEST_SKIP() << "this port's test screen has nothing under the window to read";
  } else {
    this->driver.PaintDesktop(this->kDesktop);
    this->Start(base::kWhite);
    EXPECT_TRUE(this->driver.Visible());
    EXPECT_EQ(this->driver.ShownAt(80, 50), this->kDesktop) << "right after Show";
    this->driver.RunUntil([] { return false; }, 100);
    EXPECT_EQ(this->driver.ShownAt(80, 50), this->kDesktop) << "once the window has painted";
    this->driver.SystemRepaint();
    EXPECT_EQ(this->driver.ShownAt(0, 0), this->kDesktop) << "after a repaint";
    base::Surface held(160, 100, base::kBlack);
    ASSERT_TRUE(this->driver.Screen().Capture(held, 180, 140, 160, 100));
    EXPECT_EQ(held.At(80, 50), this->kDesktop) << "the held picture, not the window";
  }
}

// Once the first frame is shown the core lets go of the picture, and the
// screen reads what it shows now: the window itself.
TYPED_TEST_P(SaverWindowConformance, TheDesktopIsLetGoOfAfterTheFirstFrame) {
  if constexpr (!TypeParam::kSeesTheScreenUnder) {
    GTEST_SKIP() << "this port's test screen has nothing under the window to read";
  } else {
    this->driver.PaintDesktop(this->kDesktop);
    this->Start(base::kWhite);
    const base::Rect whole{0, 0, 160, 100};
    this->window->Present(this->frame, std::span<const base::Rect>(&whole, 1));
    this->driver.Screen().ReleaseDesktop();
    EXPECT_EQ(this->driver.ShownAt(80, 50), base::kWhite);
    base::Surface live(160, 100, base::kBlack);
    ASSERT_TRUE(this->driver.Screen().Capture(live, 180, 140, 160, 100));
    EXPECT_EQ(live.At(80, 50), base::kWhite) << "the live screen, with the window on it";
    this->driver.SystemRepaint();
    EXPECT_EQ(this->driver.ShownAt(80, 50), base::kWhite) << "a repaint shows the frame";
  }
}

TYPED_TEST_P(SaverWindowConformance, FramesShowWholeThenOnlyTheirChangedRectangles) {
  this->Start(base::Rgb(0, 0, 255));
  base::Surface& frame = this->frame;
  frame.At(70, 50) = base::Rgb(255, 0, 255);
  const base::Rect whole{0, 0, 160, 100};
  this->window->Present(frame, std::span<const base::Rect>(&whole, 1));
  auto& d = this->driver;
  EXPECT_EQ(d.ShownAt(0, 0), base::Rgb(0, 0, 255));
  EXPECT_EQ(d.ShownAt(70, 50), base::Rgb(255, 0, 255));
  EXPECT_EQ(d.ShownAt(159, 99), base::Rgb(0, 0, 255));

  frame.At(70, 50) = base::Rgb(0, 255, 255);
  frame.At(150, 90) = base::Rgb(1, 2, 3);
  frame.At(10, 10) = base::Rgb(255, 255, 0);
  const base::Rect changed[] = {{60, 40, 20, 20}, {140, 80, 20, 20}};
  this->window->Present(frame, changed);
  EXPECT_EQ(d.ShownAt(70, 50), base::Rgb(0, 255, 255));
  EXPECT_EQ(d.ShownAt(150, 90), base::Rgb(1, 2, 3));
  EXPECT_EQ(d.ShownAt(10, 10), base::Rgb(0, 0, 255)) << "outside the rectangles: as before";

  // A repaint the system asks for shows the frame as it now is.
  d.SystemRepaint();
  EXPECT_EQ(d.ShownAt(70, 50), base::Rgb(0, 255, 255));
  EXPECT_EQ(d.ShownAt(10, 10), base::Rgb(255, 255, 0));
}

TYPED_TEST_P(SaverWindowConformance, TimersRunOnceStartedAtThePeriodsAsked) {
  if constexpr (!TypeParam::kTimersRunByThemselves) {
    GTEST_SKIP() << "this port has no clock: its tests fire the timers";
  } else {
    this->Create();
    this->Place(0, 0, 100, 100);
    this->driver.RunUntil([] { return false; }, 150);
    EXPECT_EQ(this->events.timer1 + this->events.timer2, 0) << "none before the core asks";
    this->window->StartTimer(platform::SaverTimer::k1, 100);
    this->window->StartTimer(platform::SaverTimer::k2, 10);
    this->RunUntil([this] { return this->events.timer1 >= 2; });
    EXPECT_GE(this->events.timer1, 2) << "hidden, the timers run all the same";
    EXPECT_GT(this->events.timer2, this->events.timer1);
    // Stopped, the poll is silent while the tick goes on.
    this->window->StopTimer(platform::SaverTimer::k2);
    this->window->StopTimer(platform::SaverTimer::k2);
    const int polls = this->events.timer2;
    const int ticks = this->events.timer1;
    this->RunUntil([this, ticks] { return this->events.timer1 >= ticks + 2; });
    EXPECT_EQ(this->events.timer2, polls);
    EXPECT_GE(this->events.timer1, ticks + 2);
  }
}

// Pointer positions in screen pixels: the window away from the origin.
TYPED_TEST_P(SaverWindowConformance, ClicksKeysAtTheFocusHolderAndPointerMovesReachTheCore) {
  this->Start(base::kBlack);
  this->Place(40, 30, 160, 100);
  auto& events = this->events;
  this->driver.Click(5, 5);
  this->RunUntil([&] { return events.clicks > 0; });
  EXPECT_EQ(events.clicks, 1);
  this->driver.Key();
  this->RunUntil([&] { return events.keys > 0; });
  EXPECT_EQ(events.keys, 1);
  this->driver.MovePointer(7, 9);
  this->RunUntil([&] { return events.moves > 0; });
  EXPECT_EQ(events.moves, 1);
  EXPECT_EQ(events.lastX, 47);
  EXPECT_EQ(events.lastY, 39);
}

TYPED_TEST_P(SaverWindowConformance, PointerIsThePictureGivenOrTheDefault) {
  this->Start(base::kBlack);
  base::Icon invisible;
  invisible.colour.Reset(32, 32);
  invisible.transparent.assign(32 * 32, true);
  this->window->SetPointer(invisible);
  EXPECT_FALSE(this->driver.DefaultPointer());
  this->window->SetDefaultPointer();
  EXPECT_TRUE(this->driver.DefaultPointer());
}

REGISTER_TYPED_TEST_SUITE_P(
    SaverWindowConformance, CreatedHiddenPlacedInPixelsAndFoundByTitleUntilDestroyed,
    NothingIsPaintedBeforeTheFirstFrame, TheDesktopIsLetGoOfAfterTheFirstFrame,
    FramesShowWholeThenOnlyTheirChangedRectangles, TimersRunOnceStartedAtThePeriodsAsked,
    ClicksKeysAtTheFocusHolderAndPointerMovesReachTheCore, PointerIsThePictureGivenOrTheDefault);

}  // namespace quimbel::conformance
