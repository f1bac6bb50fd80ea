// The saver run through the headless port: Main with "/s" to the first frame,
// through ticks, to the input that ends it.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/tick.hpp"
#include "assets/pictures.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;
using quimbel::fixtures::SaverRun;

// The steps whose order the user sees: the window is shown and focused while
// it still lies off the screen, so nothing flashes; the pointer is gone and
// the window lies over the screen before the first frame; it goes topmost
// only with a frame to show.
TEST(SaverStartTest, WindowIsLaidOverTheScreenWithoutAFlash) {
  SaverRun run(1280, 1024, 3, 0, 2);
  run.hp.screen.cursor = {700, -5};
  run.hp.screen.caret = {12, 34};
  run.Start();
  ASSERT_EQ(run.hp.savers.created.size(), 1u);
  headless::SaverRecord& w = run.Window();
  auto first = [&w](const std::string& call) {
    return std::find(w.calls.begin(), w.calls.end(), call) - w.calls.begin();
  };
  auto last = [&w](const std::string& call) {
    return w.calls.rend() - std::find(w.calls.rbegin(), w.calls.rend(), call) - 1;
  };
  const auto end = static_cast<std::ptrdiff_t>(w.calls.size());
  ASSERT_LT(first("Present"), end);
  ASSERT_LT(first("MakeTopmost"), end);
  EXPECT_TRUE(w.shownLeft >= w.width || w.shownTop >= w.height)
      << "shown first where it covers none of the screen it ends up on";
  EXPECT_LT(first("Show"), first("FocusHolder")) << "a hidden window takes no focus";
  EXPECT_LT(first("FocusHolder"), last("SetPositionPx")) << "focused before it moves in";
  EXPECT_LT(last("SetPositionPx"), first("Present"));
  EXPECT_LT(first("SetPointer"), first("Present")) << "no pointer over the first frame";
  EXPECT_LT(first("Present"), first("MakeTopmost"));
  EXPECT_EQ(w.title, "SAVER Screen");
  EXPECT_EQ(w.width, 1280);
  EXPECT_EQ(w.height, 1024);
  EXPECT_EQ(w.left, 0);
  EXPECT_EQ(w.top, 0);
  EXPECT_EQ(first("StartTimer"), 0) << "the timers run from the window's start";
  EXPECT_EQ(w.timer1Ms, 100);
  EXPECT_EQ(w.timer2Ms, 10);
  EXPECT_EQ(w.focusHolder.width, 30);
  EXPECT_EQ(w.focusHolder.height, 30);
  EXPECT_EQ(w.focusHolder.left, -50);
  EXPECT_EQ(w.focusHolder.top, 0);
  EXPECT_TRUE(w.visible && w.focused && w.normalState && w.topmost);
  EXPECT_FALSE(w.defaultPointer);
  EXPECT_EQ(w.pointer.colour.Width(), 32);
  for (bool masked : w.pointer.transparent)
    ASSERT_TRUE(masked) << "the pointer must be invisible";
  EXPECT_EQ(run.program.saver.scr_work.Width(), 1280);
  EXPECT_EQ(run.program.saver.scr_bkg.Height(), 1024);
  EXPECT_EQ(run.hp.screen.queryLog, (std::vector<char>{'C', 'P'})) << "caret first";
  EXPECT_EQ(run.program.saver.StartCursorX, 700);
  EXPECT_EQ(run.program.saver.StartCursorY, -5);
  EXPECT_EQ(run.program.saver.StartCaretX, 12);
  EXPECT_EQ(run.program.saver.StartCaretY, 34);
  // The first frame is on the window with no event handled yet.
  EXPECT_EQ(w.presentCount, 1);
  EXPECT_EQ(w.Shown(), run.program.saver.scr_work);
  EXPECT_FALSE(run.hp.process.Ended());

  // While the window exists, a second start ends at once.
  headless::HeadlessPlatform other;
  other.process.openTitles = run.hp.process.openTitles;
  other.process.commandLine = "/s";
  app::Program second(other.platform);
  app::RunMain(second);
  EXPECT_TRUE(other.process.Ended());
  EXPECT_TRUE(other.savers.created.empty());
}

TEST(SaverStartTest, BackgroundIsTheDesktopWithoutTheSaverWindow) {
  for (int type : {1, 2, 3}) {
    SaverRun run(64, 48, 0, 0, type);
    run.hp.screen.desktop.Reset(64, 48, base::Rgb(10, 120, 200));
    run.hp.screen.desktop.At(5, 7) = base::Rgb(1, 2, 3);
    run.Start();
    // The window was visible at (0, 0) during the capture, but had shown nothing.
    const base::Surface& frame = run.Window().Shown();
    if (type == 2) {
      EXPECT_EQ(run.hp.screen.captureCount, 0);
      EXPECT_EQ(frame, base::Surface(64, 48, base::kBlack));
    } else {
      EXPECT_EQ(run.hp.screen.captureCount, 1);
      EXPECT_EQ(frame, run.hp.screen.desktop) << "type " << type;
    }
    // With no cast, every later frame is the background again.
    run.Ticks(2);
    EXPECT_EQ(run.Window().Shown(), frame);
  }

  SaverRun failing(64, 48, 0, 0, 1);
  failing.hp.screen.desktop.Reset(64, 48, base::kWhite);
  failing.hp.screen.captureFails = true;
  failing.Start();
  EXPECT_EQ(failing.Window().Shown(), base::Surface(64, 48, base::kBlack));
}

TEST(SaverStartTest, ACaretOutsideSixteenBitsEndsWithTheErrorReportThePointerDoesNot) {
  SaverRun run(320, 240, 2, 0, 2);
  run.hp.screen.caret = {40000, 0};
  run.Start();
  ASSERT_EQ(run.hp.process.reports.size(), 1u);
  EXPECT_EQ(run.hp.process.reports[0].text.substr(0, 22), "実行時エラー '6'");
  EXPECT_EQ(run.hp.process.exitCode, 1);
  EXPECT_EQ(run.Window().presentCount, 0);

  // The pointer may rest on a monitor beyond the 16-bit range.
  SaverRun far(320, 240, 2, 0, 2);
  far.hp.screen.cursor = {40000, -35000};
  far.Start();
  far.Ticks(3);
  EXPECT_TRUE(far.hp.process.reports.empty());
  EXPECT_FALSE(far.hp.process.Ended());
}

TEST(SaverTickTest, FirstFrameShowsTheCastOneStepIn) {
  SaverRun run(400, 300, 1, 2, 2);
  // Phase, direction (left), lane, start: PosX = Int(0) + 400 - 100 = 300.
  run.hp.random.script = {0.0, 0.9, 0.5, 0.0};
  run.Start();
  EXPECT_EQ(run.Slot(0).PosX, 290);
  EXPECT_EQ(run.Slot(0).PosY, 100);  // Int(0.5 * 300) - 50
  const base::Surface& frame = run.Window().Shown();
  EXPECT_EQ(frame.At(290 + 15, 100 + 30), fixtures::FigureColour(2, 0));
  EXPECT_EQ(frame.At(290 + fixtures::kEyeX, 100 + fixtures::kEyeY), base::kWhite);
  EXPECT_EQ(frame.At(289, 130), base::kBlack);
  run.Ticks(1);
  EXPECT_EQ(run.Slot(0).PosX, 280);
  EXPECT_EQ(run.Window().presentCount, 2);
  EXPECT_EQ(run.Window().Shown().At(280 + 15, 130), fixtures::FigureColour(2, 0));
  EXPECT_EQ(run.Window().Shown().At(290 + 25, 130), base::kBlack) << "the old frame is gone";
}

TEST(SaverTickTest, FreedSlotIsPlacedAgainBeforeTheNextDraw) {
  SaverRun run(400, 300, 1, 4, 2);
  run.hp.random.script = {0.0, 0.9, 0.0, 0.0};
  run.Start();
  run.Slot(0).PosX = -30;
  run.Ticks(1);
  EXPECT_EQ(run.Slot(0).Phase, 0) << "drawn at -40 and freed";
  EXPECT_EQ(run.Window().Shown().At(20, run.Slot(0).PosY + fixtures::kStrayY), 0xFF00FFu);
  // Next tick: right-walker placed at 20 - 0 = 20, drawn after its step at 30.
  run.hp.random.script = {0.0, 0.1, 0.0, 0.0};
  run.Ticks(1);
  EXPECT_EQ(run.Slot(0).Heading, 2);
  EXPECT_EQ(run.Slot(0).PosX, 30);
  EXPECT_EQ(run.Slot(0).Phase, 2);
}

TEST(SaverTickTest, AllCastChangesKindOnReentryRandomKeepsIt) {
  SaverRun all(400, 300, 1, 8, 2);
  all.hp.random.script = {0.0, 0.0, 0.9, 0.0, 0.0};  // kind Int(0) = 0
  all.Start();
  EXPECT_EQ(all.Slot(0).Kind, 0);
  all.Slot(0).PosX = -30;
  all.Ticks(1);
  all.hp.random.script = {0.0, 0.99, 0.9, 0.0, 0.0};  // kind Int(6.93) = 6
  all.Ticks(1);
  EXPECT_EQ(all.Slot(0).Kind, 6);

  SaverRun lot(400, 300, 1, 7, 2);
  lot.hp.random.script = {0.45};  // RandomCaraType = Int(3.15) = 3, drawn by Main
  lot.Start();
  EXPECT_EQ(lot.program.run.RandomCaraType, 3);
  for (int entry = 0; entry < 3; ++entry) {
    EXPECT_EQ(lot.Slot(0).Kind, 3);
    lot.Slot(0).PosX = -30;
    lot.Ticks(2);
  }
}

TEST(SaverTickTest, ImprintsGatherOnlyInTypeOne) {
  for (int type : {1, 3}) {
    SaverRun run(320, 240, 5, 0, type);
    run.hp.screen.desktop.Reset(320, 240, base::kWhite);
    run.Start();
    run.Ticks(400);
    long black = 0;
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x)
        black += run.program.saver.scr_bkg.At(x, y) == base::kBlack;
    if (type == 1)
      EXPECT_GT(black, 0) << "silhouettes stay on the background";
    else
      EXPECT_EQ(run.program.saver.scr_bkg, run.hp.screen.desktop);
  }
}

TEST(SaverExitTest, OnePixelOfMovementEndsTheRunAfterOneMoreFrame) {
  struct Move {
    const char* what;
    platform::Point32 cursor, caret;
  };
  const Move moves[] = {{"cursor x", {101, 50}, {0, 0}},
                        {"cursor y", {100, 49}, {0, 0}},
                        {"caret x", {100, 50}, {1, 0}},
                        {"caret y", {100, 50}, {0, -1}}};
  for (const Move& m : moves) {
    SaverRun run(320, 240, 3, 0, 2, 2);
    run.hp.screen.cursor = {100, 50};
    run.Start();
    ASSERT_EQ(run.hp.sound.commands.size(), 2u) << "open and play, at set-up";
    EXPECT_EQ(run.hp.sound.commands[1], "play bgm notify");
    run.Ticks(3);
    run.Window().FireTimer2();
    ASSERT_GE(run.hp.sound.commands.size(), 3u);
    EXPECT_EQ(run.hp.sound.commands[2], "status bgm mode") << "the music is polled";
    EXPECT_FALSE(run.hp.process.Ended()) << m.what;
    run.hp.screen.cursor = m.cursor;
    run.hp.screen.caret = m.caret;
    run.Ticks(1);
    EXPECT_TRUE(run.hp.process.Ended()) << m.what;
    EXPECT_EQ(run.hp.process.exitCode, 0);
    EXPECT_EQ(run.Window().presentCount, 5) << "one more frame, then the end";
    EXPECT_TRUE(run.Window().defaultPointer) << m.what;
    EXPECT_EQ(run.Window().calls.back(), "SetDefaultPointer");
    const std::vector<std::string> stopClose{"stop bgm", "close bgm"};
    ASSERT_GE(run.hp.sound.commands.size(), 2u);
    EXPECT_EQ(
        std::vector<std::string>(run.hp.sound.commands.end() - 2, run.hp.sound.commands.end()),
        stopClose);
    const std::size_t sent = run.hp.sound.commands.size();
    // Nothing acts after the end.
    run.Ticks(2);
    run.Window().Click();
    run.Window().KeyDown();
    run.Window().FireTimer2();
    EXPECT_EQ(run.Window().presentCount, 5);
    EXPECT_EQ(run.Window().calls.back(), "SetDefaultPointer");
    EXPECT_EQ(run.hp.sound.commands.size(), sent) << "nothing played after the stop";
  }
}

TEST(SaverExitTest, MovedAndPutBackBetweenTicksGoesOn) {
  SaverRun run(320, 240, 3, 0, 2);
  run.hp.screen.cursor = {-3, 7};
  run.Start();
  run.hp.screen.cursor = {200, 200};
  run.hp.screen.cursor = {-3, 7};
  run.Ticks(5);
  EXPECT_FALSE(run.hp.process.Ended());
  // A failing query keeps the last sample, so it is not taken for movement.
  run.hp.screen.cursorQueryFails = true;
  run.hp.screen.cursor = {0, 0};
  run.Ticks(2);
  EXPECT_FALSE(run.hp.process.Ended());
  EXPECT_EQ(run.Window().presentCount, 8);
}

TEST(SaverExitTest, ClickOrKeyEndsTheRunAfterOneMoreFrame) {
  for (bool click : {true, false}) {
    SaverRun run(320, 240, 3, 0, 2, 1);
    run.Start();
    run.Ticks(1);
    if (click)
      run.Window().Click();
    else
      run.Window().KeyDown();
    EXPECT_TRUE(run.hp.process.Ended());
    EXPECT_EQ(run.Window().presentCount, 3);
    EXPECT_TRUE(run.Window().defaultPointer);
    EXPECT_EQ(run.hp.sound.commands.back(), "close bgm");
  }
}

TEST(SaverExitTest, HandlersOutsideTheSaverRunDoNothingButPollTheMusic) {
  SaverRun run(320, 240, 3, 0, 2);
  run.Start();
  run.program.run.IsSaverMode = 0;
  run.hp.screen.cursor = {5, 5};
  run.Ticks(3);
  run.Window().Click();
  run.Window().KeyDown();
  EXPECT_EQ(run.Window().presentCount, 1);
  EXPECT_FALSE(run.hp.process.Ended());
  run.program.run.IsSaverMode = -1;
  run.Ticks(1);
  EXPECT_TRUE(run.hp.process.Ended());
}

TEST(SaverErrorTest, FailingTickShowsTheErrorBoxAndTheRunGoesOn) {
  SaverRun run(320, 240, 2, 0, 2);
  run.Start();
  // Slot 1 walks right from the edge of the 16-bit range: its next step overflows.
  run.Slot(1).Heading = 2;
  run.Slot(1).PosX = 32760;
  int ticksDuringBox = 0;
  int boxesOpen = 0;
  run.hp.messageBoxes.whileOpen = [&] {
    struct Depth {
      int& n;
      ~Depth() { --n; }
    } depth{++boxesOpen};
    ASSERT_EQ(boxesOpen, 1) << "a box opened over another";
    // Timers keep firing while the box is open; none of them may act.
    const long frames = run.Window().presentCount;
    run.Ticks(3);
    run.Window().Click();
    ticksDuringBox += 4;
    EXPECT_EQ(run.Window().presentCount, frames);
    EXPECT_FALSE(run.hp.process.Ended());
  };
  run.Ticks(1);
  ASSERT_EQ(run.hp.messageBoxes.shown.size(), 1u);
  const headless::ShownBox& box = run.hp.messageBoxes.shown[0];
  EXPECT_EQ(box.text, "エラー番号  6quimbel でエラーが発生しました。 \rオーバーフローしました。");
  EXPECT_EQ(box.caption, "エラー");
  EXPECT_EQ(box.flags, platform::kMbOk);
  EXPECT_EQ(ticksDuringBox, 4);
  // The frame of the failing tick was never shown; slot 0 had already moved.
  EXPECT_EQ(run.Window().presentCount, 1);
  EXPECT_FALSE(run.hp.process.Ended());
  // The error recurs, and each tick after the box closed reports it again.
  run.hp.messageBoxes.whileOpen = nullptr;
  run.Ticks(2);
  EXPECT_EQ(run.hp.messageBoxes.shown.size(), 3u);
  // Once the cause is gone, the run goes on and ends as usual.
  run.Slot(1).PosX = 100;
  run.Ticks(1);
  EXPECT_EQ(run.hp.messageBoxes.shown.size(), 3u);
  EXPECT_EQ(run.Window().presentCount, 2);
  run.Window().KeyDown();
  EXPECT_TRUE(run.hp.process.Ended());
}

TEST(SaverErrorTest, ErrorTextShowsTheNumberAsStrWould) {
  EXPECT_EQ(app::TickErrorText(base::RuntimeError(-5, "src", "desc")),
            "エラー番号 -5src でエラーが発生しました。 \rdesc");
  EXPECT_EQ(app::TickErrorText(base::RuntimeError(0, "", "")),
            "エラー番号  0 でエラーが発生しました。 \r");
}

TEST(SaverErrorTest, HandEditedSettingsDoNotBreakTheRun) {
  // A count past the table is clamped to it; a negative cast counts as 0.
  SaverRun many(320, 240, 400, -2, 2);
  many.Start();
  many.Ticks(20);
  EXPECT_TRUE(many.hp.messageBoxes.shown.empty());
  EXPECT_TRUE(many.hp.process.reports.empty());
  EXPECT_NE(many.Slot(50).Phase, 0);
  EXPECT_EQ(many.Slot(50).Kind, 0);
  EXPECT_EQ(many.Window().presentCount, 21);
}
