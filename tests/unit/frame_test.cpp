// Drawing a character: mask then image, mirrored for right-walkers, clipped,
// and the silhouette stamped into the background in saver type 1.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/saver_stage.hpp"
#include "engine/bands.hpp"
#include "engine/cast.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "support/engine_fixture.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;
using namespace quimbel::fixtures;

namespace {

// A background where no two pixels are alike.
base::Pixel Ground(int x, int y) {
  return static_cast<base::Pixel>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
}
void PaintGround(base::Surface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      s.At(x, y) = Ground(x, y);
}

// What the cell should leave at cell position (cx, cy) over background b.
base::Pixel Expected(base::Pixel b, int kind, int c, int cx, int cy) {
  if (cx == kEyeX && cy == kEyeY)
    return base::kWhite;  // white inside the mask stays white
  if (InFigure(cx, cy))
    return FigureColour(kind, c);
  if (cx == kStrayX && cy == kStrayY)
    return (b ^ ~kStrayColour) & 0xFFFFFF;  // not transparent: mixes
  return b;
}

// Checks every pixel of the surface against a cell drawn at (x, y); cellX
// maps a surface column to its cell column (or -1 outside the cell).
template <class CellX>
void ExpectCell(const base::Surface& s, int y, int kind, int c, CellX cellX) {
  for (int py = 0; py < s.Height(); ++py) {
    for (int px = 0; px < s.Width(); ++px) {
      int cx = cellX(px);
      int cy = py - y;
      bool inCell = cx >= 0 && cx < engine::kCellWidth && cy >= 0 && cy < engine::kCellHeight;
      base::Pixel want = inCell ? Expected(Ground(px, py), kind, c, cx, cy) : Ground(px, py);
      ASSERT_EQ(s.At(px, py), want) << "at " << px << "," << py;
    }
  }
}

}  // namespace

TEST(DrawCharacterTest, LeftFacingCellIsDrawnAsStored) {
  EngineFixture f(200, 180, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, 50, 10, 1, 1, 4);
  engine::DrawCharacter(app::SaverStage(f.program), 0, 2, +1, engine::kCellWidth,
                        engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 10, 4, 2, [](int px) { return px - 50; });
}

TEST(DrawCharacterTest, RightFacingCellIsMirroredLeftOfX) {
  // A right-walker at x = 100 fills columns 20 to 99, its cell's column 0 at 99.
  EngineFixture f(200, 180, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, 100, 30, 2, 1, 1);
  engine::DrawCharacter(app::SaverStage(f.program), 0, 3, -1, engine::kCellWidth,
                        engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 30, 1, 3,
             [](int px) { return px >= 20 && px < 100 ? 99 - px : -1; });
}

TEST(DrawCharacterTest, ClippedAtEveryEdge) {
  // Top-left: a left-walker at (-40, -30) shows the right half of its cell.
  EngineFixture f(100, 120, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, -40, -30, 1, 1, 0);
  engine::DrawCharacter(app::SaverStage(f.program), 0, 0, +1, engine::kCellWidth,
                        engine::kCellHeight);
  ExpectCell(f.saver.scr_work, -30, 0, 0, [](int px) { return px + 40; });

  // Bottom-right: a mirrored cell at (130, 50) spans columns 50 to 129.
  PaintGround(f.saver.scr_work);
  f.Place(0, 130, 50, 2, 1, 6);
  engine::DrawCharacter(app::SaverStage(f.program), 0, 1, -1, engine::kCellWidth,
                        engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 50, 6, 1,
             [](int px) { return px >= 50 && px < 130 ? 129 - px : -1; });
}

TEST(DrawCharacterTest, ImprintIsBackgroundAndMaskInTypeOneOnly) {
  EngineFixture f(200, 180, 1, 0, 1);
  PaintGround(f.saver.scr_bkg);
  f.Place(0, 120, 20, 2, 1, 5);
  f.Script({0.0049});  // Int(0.0049 * 200) = 0: the one chance in 200
  engine::DrawCharacter(app::SaverStage(f.program), 0, 1, -1, engine::kCellWidth,
                        engine::kCellHeight);
  EXPECT_EQ(f.hp.random.draws, 1);
  for (int py = 0; py < 180; ++py) {
    for (int px = 0; px < 200; ++px) {
      int cx = 119 - px, cy = py - 20;
      bool black = px >= 40 && px < 120 && cy >= 0 && cy < engine::kCellHeight && InFigure(cx, cy);
      ASSERT_EQ(f.saver.scr_bkg.At(px, py), black ? base::kBlack : Ground(px, py))
          << px << "," << py;
    }
  }

  // Just above the odds: nothing stamped.
  base::Surface before = f.saver.scr_bkg;
  f.Script({0.005});
  engine::DrawCharacter(app::SaverStage(f.program), 0, 1, -1, engine::kCellWidth,
                        engine::kCellHeight);
  EXPECT_EQ(f.saver.scr_bkg, before);

  // Types 2 and 3 never stamp, and draw nothing for it.
  for (int type : {2, 3}) {
    EngineFixture g(200, 180, 1, 0, type);
    PaintGround(g.saver.scr_bkg);
    base::Surface ground = g.saver.scr_bkg;
    g.Place(0, 120, 20, 2, 1, 5);
    g.Script({0.0});
    engine::DrawCharacter(app::SaverStage(g.program), 0, 1, -1, engine::kCellWidth,
                          engine::kCellHeight);
    EXPECT_EQ(g.saver.scr_bkg, ground);
    EXPECT_EQ(g.hp.random.draws, 0);
  }
}

TEST(DrawCharacterTest, KindWithoutASheetIsAnError) {
  EngineFixture f(200, 180, 1, 0);
  f.Place(0, 50, 10, 1, 1, 7);
  EXPECT_EQ(ErrorOf([&] {
              engine::DrawCharacter(app::SaverStage(f.program), 0, 0, 1, engine::kCellWidth,
                                    engine::kCellHeight);
            }),
            base::kSubscriptOutOfRange);
  f.Slot(0).Kind = -1;
  EXPECT_EQ(ErrorOf([&] {
              engine::DrawCharacter(app::SaverStage(f.program), 0, 0, 1, engine::kCellWidth,
                                    engine::kCellHeight);
            }),
            base::kSubscriptOutOfRange);
}

namespace {

struct OracleCase {
  int width, height, cast, saverType;
  bool builtInSheets;
  bool windowMemory;  // frames composed in memory the window offers
  bool sparse;        // room enough that most frames change only part of it
  // Monitors, the primary first; none: one of the case's size.
  std::vector<platform::Rect32> monitors = {};
};

// The frame as a plain composition makes it: the whole background copied,
// then every slot stepped and drawn straight onto it in order.
void PlainFrame(EngineFixture& ref) {
  engine::SpawnCharacters(app::SaverStage(ref.program));
  if (engine::UsedSlots(app::SaverStage(ref.program)) > 0 && ref.program.settings.SaverType == 1)
    ref.hp.random.Reseed();
  base::Surface& work = ref.saver.scr_work;
  engine::BitBlt(work, 0, 0, work.Width(), work.Height(), ref.saver.scr_bkg, 0, 0,
                 engine::RasterOp::kSrcCopy);
  for (int i = 0; i < engine::UsedSlots(app::SaverStage(ref.program)); ++i)
    engine::AdvanceCharacter(app::SaverStage(ref.program), i);
}

// Thousands of ticks of a real run, each presented frame (as the window
// builds it from the changed rectangles alone) against the plain frame made
// from the same state; now and then a slot without a sheet fails in the
// middle of a frame, and the window repaints between frames.
void RunOracle(const OracleCase& c, int ticks) {
  SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " cast " << c.cast << " type "
                                  << c.saverType);
  fixtures::SaverRun run(c.width, c.height, c.cast, 8, c.saverType);
  run.hp.savers.keepFrames = 1;
  run.hp.savers.offerFrameMemory = c.windowMemory;
  run.hp.screen.monitors = c.monitors;
  run.hp.screen.desktop.Reset(c.width, c.height);
  PaintGround(run.hp.screen.desktop);
  if (c.builtInSheets)
    run.program.saver.pat = {};
  run.Start();
  headless::SaverRecord& window = run.Window();
  const engine::SaverState& saver = run.program.saver;
  ASSERT_EQ(window.presentCount, 1);
  ASSERT_EQ(run.program.run.ScreenWidthPx, c.width);
  ASSERT_EQ(run.program.run.ScreenHeightPx, c.height);
  if (!c.monitors.empty()) {
    EXPECT_EQ(run.program.run.OriginX, -317);
    EXPECT_EQ(run.program.run.OriginY, -41);
  }
  EXPECT_EQ(window.changed, (std::vector<base::Rect>{{0, 0, c.width, c.height}}));
  ASSERT_EQ(window.Shown(), saver.scr_work) << "the first frame is whole";

  EngineFixture ref(c.width, c.height, c.cast, 8, c.saverType);
  ref.program.run = run.program.run;
  ref.saver.pat = saver.pat;
  base::Surface expected = window.Shown();
  base::Surface bkgBefore;
  long imprintTicks = 0, failed = 0, partial = 0;
  for (int t = 1; t <= ticks; ++t) {
    ref.saver.caraTable = saver.caraTable;
    ref.saver.scr_bkg = saver.scr_bkg;
    bkgBefore = saver.scr_bkg;
    ref.hp.random = run.hp.random;
    int broken = -1;
    if (t % 97 == 0) {
      for (int i = engine::UsedSlots(app::SaverStage(run.program)) - 1; i >= 0 && broken < 0; --i)
        broken = run.Slot(i).Phase != 0 ? i : -1;
    }
    if (broken >= 0) {
      run.Slot(broken).Kind = 7;
      ref.Slot(broken).Kind = 7;
    }
    const long frames = window.presentCount;
    run.Ticks(1);
    const bool refFailed = ErrorOf([&] { PlainFrame(ref); }) != 0;
    ASSERT_EQ(refFailed, broken >= 0) << "tick " << t;
    if (broken >= 0) {
      ++failed;
      ASSERT_EQ(window.presentCount, frames) << "tick " << t;
      run.Slot(broken).Kind = broken % 7;
      window.Repaint();
    } else {
      ASSERT_EQ(window.presentCount, frames + 1) << "tick " << t;
      ASSERT_LE(window.changed.size(), static_cast<std::size_t>(engine::kMaxBands));
      expected = ref.saver.scr_work;
      partial += window.changed.size() != 1 || window.changed[0].width != c.width ||
                 window.changed[0].height != c.height;
      if (t % 13 == 0)
        window.Repaint();
    }
    ASSERT_EQ(window.Shown(), expected) << "tick " << t;
    ASSERT_EQ(saver.scr_bkg, ref.saver.scr_bkg) << "tick " << t;
    imprintTicks += !(saver.scr_bkg == bkgBefore);
  }
  EXPECT_EQ(imprintTicks > 0, c.saverType == 1) << imprintTicks << " ticks stamped imprints";
  std::printf("%dx%d: %ld of %d frames partial, %ld with imprints, %ld failed\n", c.width, c.height,
              partial, ticks, imprintTicks, failed);
  EXPECT_EQ(run.hp.messageBoxes.shown.size(), static_cast<std::size_t>(failed));
  if (c.sparse) {
    EXPECT_GT(partial, ticks / 2) << "frames after the first present only what changed";
  }
}

}  // namespace

TEST(ComposeFrameTest, EveryFrameIsThePlainCompositionBitForBit) {
  const OracleCase cases[] = {
      {333, 217, 50, 1, false, true, false},  // crowded lanes, imprints, off every edge
      {640, 480, 20, 3, true, false, true},   // the desktop under the built-in cast
      {97, 61, 5, 2, false, false, false},    // a screen smaller than one cell
      {1001, 143, 50, 1, true, true, true},   // wide and low, odd sizes
      // A second monitor left of and above the primary: the desktop's corner
      // is at (-317, -41).
      {717, 341, 30, 1, false, false, true, {{0, 0, 400, 300}, {-317, -41, 0, 259}}},
  };
  for (const OracleCase& c : cases)
    RunOracle(c, 1500);
}
