// The scene at a whole-number scale: the run at n is the run at 1 enlarged
// n times, frame by frame, on a screen n times as large.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "engine/scene_scale.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;
using namespace quimbel::fixtures;

namespace {

TEST(SceneScaleTest, NearestWholeNumberHalvesUpAtLeastOne) {
  const struct {
    double scale;
    int n;
  } cases[] = {{1.0, 1},
               {1.25, 1},
               {1.49, 1},
               {1.5, 2},
               {2.0, 2},
               {2.49, 2},
               {2.5, 3},
               {3.0, 3},
               {0.5, 1},
               {0.0, 1},
               {-2, 1},
               {7.6, 8},
               {100., 8},
               {std::numeric_limits<double>::infinity(), 8},
               {std::numeric_limits<double>::quiet_NaN(), 1}};
  for (const auto& c : cases)
    EXPECT_EQ(engine::SceneScaleFor(c.scale), c.n) << c.scale;
}

// Each pixel an n by n block, written here apart from the engine's own.
base::Surface Enlarged(const base::Surface& s, int n) {
  base::Surface out(s.Width() * n, s.Height() * n);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x)
      out.At(x, y) = s.At(x / n, y / n);
  return out;
}

base::Surface Ground(int width, int height) {
  base::Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      s.At(x, y) = static_cast<base::Pixel>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
  return s;
}

struct ScaledCase {
  int n, width, height, cast, saverType;
  bool builtInSheets;
  bool smallSheet;  // one kind's sheet lacks the standard cells
};

void RunScaled(const ScaledCase& c, int ticks) {
  SCOPED_TRACE(testing::Message() << "n " << c.n << " " << c.width << "x" << c.height << " type "
                                  << c.saverType);
  SaverRun one(c.width, c.height, c.cast, 8, c.saverType);
  SaverRun big(c.width * c.n, c.height * c.n, c.cast, 8, c.saverType);
  big.hp.screen.SetMetrics(c.width * c.n, c.height * c.n, 96.0 * c.n);
  base::Surface small = Ground(150, 200);  // beside the test sheets' figures
  for (SaverRun* run : {&one, &big}) {
    run->hp.savers.keepFrames = 1;
    if (c.builtInSheets)
      run->program.saver.pat = {};
    if (c.smallSheet)
      run->program.saver.pat[3] = &small;
  }
  if (c.saverType != 2) {
    one.hp.screen.desktop = Ground(c.width, c.height);
    big.hp.screen.desktop = Enlarged(one.hp.screen.desktop, c.n);
  }
  one.Start();
  big.Start();
  ASSERT_EQ(one.program.run.SceneScale, 1);
  ASSERT_EQ(big.program.run.SceneScale, c.n);
  ASSERT_EQ(big.Window().Shown(), Enlarged(one.Window().Shown(), c.n)) << "first frame";
  long entries = 0, exits = 0, imprints = 0;
  base::Surface bkgBefore;
  for (int t = 1; t <= ticks; ++t) {
    bkgBefore = one.program.saver.scr_bkg;
    int freeBefore = 0;
    for (int i = 0; i < c.cast; ++i)
      freeBefore += one.Slot(i).Phase == 0;
    one.Ticks(1);
    big.Ticks(1);
    ASSERT_EQ(big.Window().Shown(), Enlarged(one.Window().Shown(), c.n)) << "tick " << t;
    ASSERT_EQ(big.program.saver.scr_bkg, Enlarged(one.program.saver.scr_bkg, c.n)) << "tick " << t;
    for (int i = 0; i < c.cast; ++i) {
      ASSERT_EQ(big.Slot(i).PosX, one.Slot(i).PosX * c.n) << "tick " << t << " slot " << i;
      ASSERT_EQ(big.Slot(i).PosY, one.Slot(i).PosY * c.n) << "tick " << t << " slot " << i;
      ASSERT_EQ(big.Slot(i).Phase, one.Slot(i).Phase) << "tick " << t << " slot " << i;
      exits += one.Slot(i).Phase == 0;
    }
    entries += freeBefore;
    imprints += !(one.program.saver.scr_bkg == bkgBefore);
  }
  EXPECT_TRUE(big.hp.messageBoxes.shown.empty());
  EXPECT_GT(entries, c.cast) << "characters came on after the first ones left";
  EXPECT_GT(exits, 0);
  EXPECT_EQ(imprints > 0, c.saverType == 1);
  std::printf("n %d: %ld entries, %ld exits, %ld ticks with imprints\n", c.n, entries, exits,
              imprints);
}

TEST(SceneScaleTest, EveryFrameIsTheUnscaledFrameEnlarged) {
  const ScaledCase cases[] = {
      {2, 317, 203, 12, 1, false, true},  // imprints into a desktop, odd sizes, a small sheet
      {3, 240, 150, 6, 2, true, false},   // black, the built-in cast
      {2, 90, 61, 3, 3, false, false},    // a screen smaller than one cell
  };
  for (const ScaledCase& c : cases)
    RunScaled(c, 400);
}

}  // namespace
