// The cast's rules with scripted draws: where and as whom characters arrive,
// how they walk, and when they leave.
#include <gtest/gtest.h>

#include "app/saver_stage.hpp"
#include "engine/cast.hpp"
#include "support/engine_fixture.hpp"

using namespace quimbel;
using quimbel::fixtures::EngineFixture;

namespace {

struct Expect {
  int x, y, heading, phase, kind;
};

void ExpectSlot(EngineFixture& f, int i, Expect e) {
  const engine::CaraState& s = f.Slot(i);
  EXPECT_EQ(s.PosX, e.x) << "slot " << i;
  EXPECT_EQ(s.PosY, e.y) << "slot " << i;
  EXPECT_EQ(s.Heading, e.heading) << "slot " << i;
  EXPECT_EQ(s.Phase, e.phase) << "slot " << i;
  EXPECT_EQ(s.Kind, e.kind) << "slot " << i;
}

}  // namespace

TEST(SpawnTest, DrawsInOrderIntoFractionalLanes) {
  // 768 / 20 = 38.4 pixels per lane. Only slots 0 and 3 are free.
  EngineFixture f(1024, 768, 20, 3);
  for (int i = 0; i < 20; ++i)
    f.Place(i, 500, 0, 1, 5, 6);
  f.Slot(0).Phase = 0;
  f.Slot(3).Phase = 0;
  // Slot 0: phase, direction, lane, start. Slot 3 likewise.
  f.Script({0.99, 0.2, 0.5, 0.9999, /* slot 3 */ 0.0, 0.7, 0.0, 0.5});
  engine::SpawnCharacters(app::SaverStage(f.program));
  EXPECT_EQ(f.hp.random.draws, 8);
  // Slot 0 walks right from far left: 20 - Int(0.9999 * 500) = -479;
  // PosY = Int(0.5 * 38.4) - 50 = -31.
  ExpectSlot(f, 0, {-479, -31, 2, 7, 3});
  // Slot 3 walks left: Int(250) + 1024 - 100; PosY = 3 * 38.4 - 50 = 65.2 -> 65.
  ExpectSlot(f, 3, {1174, 65, 1, 1, 3});
  ExpectSlot(f, 1, {500, 0, 1, 5, 6});  // busy slots are left alone
  EXPECT_GE(f.hp.random.reseeds, 1);
}

TEST(SpawnTest, LanePositionsRoundHalvesToEven) {
  // 765 / 10 = 76.5: slot 1 starts at 26.5 -> 26, slot 3 at 179.5 -> 180.
  EngineFixture f(800, 765, 10, 0);
  for (int i = 0; i < 10; ++i)
    f.Place(i, 0, 0, 1, 1, 0);
  f.Slot(1).Phase = 0;
  f.Slot(3).Phase = 0;
  f.Script({0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
  engine::SpawnCharacters(app::SaverStage(f.program));
  EXPECT_EQ(f.Slot(1).PosY, 26);
  EXPECT_EQ(f.Slot(3).PosY, 180);
  EXPECT_EQ(f.Slot(1).PosX, 20) << "a right-walker starts at most 20 columns in";
}

TEST(SpawnTest, OneSlotOwnsTheWholeHeightAndNoSlotDrawsNothing) {
  EngineFixture one(640, 480, 1, 2);
  one.Script({0.5, 0.9, 0.9999, 0.0});
  engine::SpawnCharacters(app::SaverStage(one.program));
  ExpectSlot(one, 0, {540, 479 - 50, 1, 4, 2});  // Int(0.9999 * 480) = 479
  one.Slot(0).Phase = 0;
  one.Script({0.5, 0.9, 0.0, 0.0});
  engine::SpawnCharacters(app::SaverStage(one.program));
  EXPECT_EQ(one.Slot(0).PosY, -50);

  EngineFixture none(640, 480, 0, 2);
  engine::SpawnCharacters(app::SaverStage(none.program));
  EXPECT_EQ(none.hp.random.draws, 0);
  ExpectSlot(none, 0, {0, 0, 0, 0, 0});
}

TEST(SpawnTest, KindFollowsTheCastSetting) {
  // 8: a fresh draw right after the phase, for every arrival.
  EngineFixture all(640, 480, 2, 8);
  all.Script({0.0, 0.9, 0.0, 0.0, 0.0, /* slot 1 */ 0.0, 0.3, 0.0, 0.0, 0.0});
  engine::SpawnCharacters(app::SaverStage(all.program));
  EXPECT_EQ(all.Slot(0).Kind, 6);
  EXPECT_EQ(all.Slot(1).Kind, 2);
  EXPECT_EQ(all.hp.random.draws, 10);

  // 7: the run's one character, with no draw of its own.
  EngineFixture random(640, 480, 2, 7);
  random.program.run.RandomCaraType = 5;
  engine::SpawnCharacters(app::SaverStage(random.program));
  EXPECT_EQ(random.Slot(0).Kind, 5);
  EXPECT_EQ(random.Slot(1).Kind, 5);
  EXPECT_EQ(random.hp.random.draws, 8);

  // A hand-edited store: below 0 counts as 0, above 8 keeps the slot's kind.
  EngineFixture negative(640, 480, 1, -3);
  negative.Slot(0).Kind = 4;
  engine::SpawnCharacters(app::SaverStage(negative.program));
  EXPECT_EQ(negative.Slot(0).Kind, 0);
  EngineFixture high(640, 480, 1, 9);
  high.Slot(0).Kind = 4;
  engine::SpawnCharacters(app::SaverStage(high.program));
  EXPECT_EQ(high.Slot(0).Kind, 4);
}

TEST(SpawnTest, CountAboveTheTableIsClampedToIt) {
  EngineFixture f(640, 510, 60, 1);
  engine::SpawnCharacters(app::SaverStage(f.program));
  EXPECT_EQ(engine::UsedSlots(app::SaverStage(f.program)), 51);
  EXPECT_EQ(f.hp.random.draws, 51 * 4);
  for (int i = 0; i < 51; ++i) {
    EXPECT_NE(f.Slot(i).Phase, 0);
    // Lanes of 510 / 51 = 10 pixels.
    EXPECT_GE(f.Slot(i).PosY, i * 10 - 50);
    EXPECT_LT(f.Slot(i).PosY, i * 10 - 40);
  }
}

TEST(AdvanceTest, PhaseCyclesAndPicksTheColumn) {
  EngineFixture f(400, 300, 1, 0);
  const int columns[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
  for (int phase = 1; phase <= 12; ++phase) {
    EXPECT_EQ(engine::ColumnOfPhase(phase), columns[phase - 1]);
    f.Place(0, 200, 50, 1, phase, 2);
    f.saver.scr_work.Reset(400, 300, base::kBlack);
    engine::AdvanceCharacter(app::SaverStage(f.program), 0);
    EXPECT_EQ(f.Slot(0).Phase, phase == 12 ? 1 : phase + 1);
    EXPECT_EQ(f.Slot(0).PosX, 190);
    // The figure's colour tells which column was drawn.
    EXPECT_EQ(f.saver.scr_work.At(190 + 12, 50 + 30), fixtures::FigureColour(2, columns[phase - 1]))
        << "phase " << phase;
  }
}

TEST(AdvanceTest, LeftWalkerAtMinus30IsDrawnAtMinus40ThenFreed) {
  EngineFixture f(400, 300, 1, 0);
  f.saver.scr_work.Reset(400, 300, base::kBlack);
  f.Place(0, -30, 10, 1, 5, 0);
  engine::AdvanceCharacter(app::SaverStage(f.program), 0);
  EXPECT_EQ(f.Slot(0).PosX, -40);
  EXPECT_EQ(f.Slot(0).Phase, 0);
  // Drawn there: the stray pixel at cell column 60 shows at x = 20, over black
  // as NOT green.
  EXPECT_EQ(f.saver.scr_work.At(20, 10 + fixtures::kStrayY), 0xFF00FFu);

  // At -29 the character stays: -39 is not past the limit.
  f.Place(0, -29, 10, 1, 5, 0);
  engine::AdvanceCharacter(app::SaverStage(f.program), 0);
  EXPECT_EQ(f.Slot(0).Phase, 6);
}

TEST(AdvanceTest, RightWalkerLeavesAtWidthPlus40) {
  EngineFixture f(400, 300, 1, 0);
  f.Place(0, 429, 10, 2, 3, 0);
  engine::AdvanceCharacter(app::SaverStage(f.program), 0);
  EXPECT_EQ(f.Slot(0).PosX, 439);
  EXPECT_EQ(f.Slot(0).Phase, 4);
  engine::AdvanceCharacter(app::SaverStage(f.program), 0);
  EXPECT_EQ(f.Slot(0).PosX, 449);
  EXPECT_EQ(f.Slot(0).Phase, 0);
  EXPECT_EQ(f.Slot(0).PosY, 10) << "walking never changes the lane";
}

TEST(AdvanceTest, OverflowAndBadIndexAreRuntimeErrors) {
  EngineFixture f(400, 300, 1, 0);
  f.Place(0, 32760, 10, 2, 1, 0);
  EXPECT_EQ(fixtures::ErrorOf([&] { engine::AdvanceCharacter(app::SaverStage(f.program), 0); }),
            base::kOverflow);
  EXPECT_EQ(f.Slot(0).PosX, 32760) << "a failed store keeps the old value";
  EXPECT_EQ(fixtures::ErrorOf([&] { engine::AdvanceCharacter(app::SaverStage(f.program), 51); }),
            base::kSubscriptOutOfRange);
  EXPECT_EQ(fixtures::ErrorOf([&] { engine::AdvanceCharacter(app::SaverStage(f.program), -1); }),
            base::kSubscriptOutOfRange);
}
