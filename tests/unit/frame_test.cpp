// Drawing a character: mask then image, mirrored for right-walkers, clipped,
// and the silhouette stamped into the background in saver type 1.
#include <gtest/gtest.h>

#include "engine/cast.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "support/engine_fixture.hpp"

using namespace quimbel;
using namespace quimbel::fixtures;

namespace {

// A background where no two pixels are alike.
engine::Pixel Ground(int x, int y) {
  return static_cast<engine::Pixel>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
}
void PaintGround(engine::Surface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      s.At(x, y) = Ground(x, y);
}

// What the cell should leave at cell position (cx, cy) over background b.
engine::Pixel Expected(engine::Pixel b, int kind, int c, int cx, int cy) {
  if (cx == kEyeX && cy == kEyeY)
    return engine::kWhite;  // white inside the mask stays white
  if (InFigure(cx, cy))
    return FigureColour(kind, c);
  if (cx == kStrayX && cy == kStrayY)
    return (b ^ ~kStrayColour) & 0xFFFFFF;  // not transparent: mixes
  return b;
}

// Checks every pixel of the surface against a cell drawn at (x, y); cellX
// maps a surface column to its cell column (or -1 outside the cell).
template <class CellX>
void ExpectCell(const engine::Surface& s, int y, int kind, int c, CellX cellX) {
  for (int py = 0; py < s.Height(); ++py) {
    for (int px = 0; px < s.Width(); ++px) {
      int cx = cellX(px);
      int cy = py - y;
      bool inCell = cx >= 0 && cx < engine::kCellWidth && cy >= 0 && cy < engine::kCellHeight;
      engine::Pixel want = inCell ? Expected(Ground(px, py), kind, c, cx, cy) : Ground(px, py);
      ASSERT_EQ(s.At(px, py), want) << "at " << px << "," << py;
    }
  }
}

}  // namespace

TEST(DrawCharacterTest, LeftFacingCellIsDrawnAsStored) {
  EngineFixture f(200, 180, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, 50, 10, 1, 1, 4);
  engine::DrawCharacter(f.program, 0, 2, +1, engine::kCellWidth, engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 10, 4, 2, [](int px) { return px - 50; });
}

TEST(DrawCharacterTest, RightFacingCellIsMirroredLeftOfX) {
  // A right-walker at x = 100 fills columns 20 to 99, its cell's column 0 at 99.
  EngineFixture f(200, 180, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, 100, 30, 2, 1, 1);
  engine::DrawCharacter(f.program, 0, 3, -1, engine::kCellWidth, engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 30, 1, 3,
             [](int px) { return px >= 20 && px < 100 ? 99 - px : -1; });
}

TEST(DrawCharacterTest, ClippedAtEveryEdge) {
  // Top-left: a left-walker at (-40, -30) shows the right half of its cell.
  EngineFixture f(100, 120, 1, 0);
  PaintGround(f.saver.scr_work);
  f.Place(0, -40, -30, 1, 1, 0);
  engine::DrawCharacter(f.program, 0, 0, +1, engine::kCellWidth, engine::kCellHeight);
  ExpectCell(f.saver.scr_work, -30, 0, 0, [](int px) { return px + 40; });

  // Bottom-right: a mirrored cell at (130, 50) spans columns 50 to 129.
  PaintGround(f.saver.scr_work);
  f.Place(0, 130, 50, 2, 1, 6);
  engine::DrawCharacter(f.program, 0, 1, -1, engine::kCellWidth, engine::kCellHeight);
  ExpectCell(f.saver.scr_work, 50, 6, 1,
             [](int px) { return px >= 50 && px < 130 ? 129 - px : -1; });
}

TEST(DrawCharacterTest, ImprintIsBackgroundAndMaskInTypeOneOnly) {
  EngineFixture f(200, 180, 1, 0, 1);
  PaintGround(f.saver.scr_bkg);
  f.Place(0, 120, 20, 2, 1, 5);
  f.Script({0.0049});  // Int(0.0049 * 200) = 0: the one chance in 200
  engine::DrawCharacter(f.program, 0, 1, -1, engine::kCellWidth, engine::kCellHeight);
  EXPECT_EQ(f.hp.random.draws, 1);
  for (int py = 0; py < 180; ++py) {
    for (int px = 0; px < 200; ++px) {
      int cx = 119 - px, cy = py - 20;
      bool black = px >= 40 && px < 120 && cy >= 0 && cy < engine::kCellHeight && InFigure(cx, cy);
      ASSERT_EQ(f.saver.scr_bkg.At(px, py), black ? engine::kBlack : Ground(px, py))
          << px << "," << py;
    }
  }

  // Just above the odds: nothing stamped.
  engine::Surface before = f.saver.scr_bkg;
  f.Script({0.005});
  engine::DrawCharacter(f.program, 0, 1, -1, engine::kCellWidth, engine::kCellHeight);
  EXPECT_EQ(f.saver.scr_bkg, before);

  // Types 2 and 3 never stamp, and draw nothing for it.
  for (int type : {2, 3}) {
    EngineFixture g(200, 180, 1, 0, type);
    PaintGround(g.saver.scr_bkg);
    engine::Surface ground = g.saver.scr_bkg;
    g.Place(0, 120, 20, 2, 1, 5);
    g.Script({0.0});
    engine::DrawCharacter(g.program, 0, 1, -1, engine::kCellWidth, engine::kCellHeight);
    EXPECT_EQ(g.saver.scr_bkg, ground);
    EXPECT_EQ(g.hp.random.draws, 0);
  }
}

TEST(DrawCharacterTest, KindWithoutASheetIsAnError) {
  EngineFixture f(200, 180, 1, 0);
  f.Place(0, 50, 10, 1, 1, 7);
  EXPECT_EQ(ErrorOf([&] {
              engine::DrawCharacter(f.program, 0, 0, 1, engine::kCellWidth, engine::kCellHeight);
            }),
            base::kSubscriptOutOfRange);
  f.Slot(0).Kind = -1;
  EXPECT_EQ(ErrorOf([&] {
              engine::DrawCharacter(f.program, 0, 0, 1, engine::kCellWidth, engine::kCellHeight);
            }),
            base::kSubscriptOutOfRange);
}

namespace {

class NoEvents : public platform::SaverEvents {
 public:
  void OnTimer1() override {}
  void OnTimer2() override {}
  void OnClick() override {}
  void OnKeyDown() override {}
};

}  // namespace

TEST(ComposeFrameTest, FrameIsTheBackgroundThenEachCellInSlotOrder) {
  // Cells straddle the bands the frame is built in, overlap each other, run
  // off every edge, and some stamp imprints. The reference draws them one
  // by one straight onto the copied background.
  struct Cell {
    int x, y, heading, phase, kind;
  };
  const Cell cells[] = {{60, -20, 1, 1, 0},  {70, 10, 2, 4, 1},   {-30, 25, 1, 7, 2},
                        {230, 40, 2, 10, 3}, {100, 95, 1, 12, 4}, {110, 100, 2, 2, 5},
                        {20, 120, 1, 5, 6}};
  const double imprintDraws[] = {0.9, 0.001, 0.9, 0.0, 0.9, 0.002, 0.9};
  EngineFixture frame(220, 170, 7, 0, 1), reference(220, 170, 7, 0, 1);
  for (EngineFixture* f : {&frame, &reference}) {
    PaintGround(f->saver.scr_bkg);
    for (int i = 0; i < 7; ++i) {
      f->Place(i, cells[i].x, cells[i].y, cells[i].heading, cells[i].phase, cells[i].kind);
      f->hp.random.script.push_back(imprintDraws[i]);
    }
  }
  NoEvents events;
  frame.saver.frmDisp = frame.hp.savers.CreateSaverWindow("SAVER Screen", events);
  engine::ComposeFrame(frame.program);

  engine::BitBlt(reference.saver.scr_work, 0, 0, 220, 170, reference.saver.scr_bkg, 0, 0,
                 engine::RasterOp::kSrcCopy);
  for (int i = 0; i < 7; ++i)
    engine::AdvanceCharacter(reference.program, i);

  ASSERT_EQ(frame.hp.savers.Last().presentCount, 1);
  EXPECT_EQ(frame.hp.savers.Last().Shown(), reference.saver.scr_work);
  EXPECT_EQ(frame.saver.scr_bkg, reference.saver.scr_bkg);
  EXPECT_EQ(frame.saver.scr_bkg.At(60, 50), engine::kBlack) << "slot 1 was stamped";
}
