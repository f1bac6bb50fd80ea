// A long saver run with the full cast leaving imprints: no trap, and nothing
// allocated per frame once the run is going.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/saver_run.hpp"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Every allocation of this test program is counted.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return ::operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

using namespace quimbel;

TEST(SoakTest, TenThousandTicksOfTheFullCastInTypeOne) {
  fixtures::SaverRun run(320, 240, 50, 8, 1, 2);
  run.hp.screen.desktop.Reset(320, 240, base::kWhite);
  run.Start();
  ASSERT_FALSE(run.hp.process.Ended());
  // Warm up: the headless window's frame ring and call log reach their size.
  for (int t = 0; t < 100; ++t) {
    run.Window().FireTimer1();
    run.Window().FireTimer2();
  }
  // Only the animation ticks are counted: the music poll between them builds
  // its reply buffer each time, and the headless sound device logs it. The
  // headless screen logs every position query: give its log room first.
  run.hp.screen.queryLog.reserve(run.hp.screen.queryLog.size() + 2 * 10000);
  long during = 0;
  for (int t = 100; t < 10000; ++t) {
    const long before = allocations.load();
    run.Window().FireTimer1();
    during += allocations.load() - before;
    run.Window().FireTimer2();
  }
  EXPECT_TRUE(run.hp.messageBoxes.shown.empty());
  EXPECT_TRUE(run.hp.process.reports.empty());
  EXPECT_FALSE(run.hp.process.Ended());
  EXPECT_EQ(run.Window().presentCount, 10001);
  long black = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      black += run.program.saver.scr_bkg.At(x, y) == base::kBlack;
  EXPECT_GT(black, 320 * 240 / 4) << "silhouettes gather over a long run";
  EXPECT_EQ(during, 0) << "nothing is allocated per frame";
  EXPECT_EQ(run.Window().calls.back(), "Present");
}
