// The bands a frame hands the window: every changed pixel covered, nothing
// outside what changed's bounds, never more than kMaxBands, and no area
// added where the changes already fall into few separate places.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/bands.hpp"

using quimbel::base::Rect;
using namespace quimbel::engine;

namespace {

long long Area(const Rect& r) {
  return static_cast<long long>(r.width) * r.height;
}

// Adds the rectangles as the frame does, then merges them into bands.
std::vector<Rect> Bands(const std::vector<Rect>& in) {
  std::vector<Rect> rects(in.size() + 1);
  int n = 0;
  for (const Rect& r : in)
    n = AddMerged(rects.data(), n, r);
  rects.resize(static_cast<std::size_t>(MergeIntoBands(rects.data(), n)));
  return rects;
}

std::vector<char> Cover(const std::vector<Rect>& rects, int width, int height) {
  std::vector<char> bits(static_cast<std::size_t>(width) * height);
  for (const Rect& r : rects)
    for (int y = r.y; y < r.y + r.height; ++y)
      for (int x = r.x; x < r.x + r.width; ++x)
        bits[static_cast<std::size_t>(y) * width + x] = 1;
  return bits;
}

}  // namespace

TEST(BandsTest, CoverEveryChangedPixelInAtMostTheLimitWithinTheirBounds) {
  constexpr int kW = 301, kH = 199;
  std::uint32_t seed = 99;
  auto below = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
  };
  double worst = 1;
  for (int round = 0; round < 400; ++round) {
    // Characters' old and new places in lanes, and imprints; some empty.
    std::vector<Rect> in;
    const int count = below(3 * 50 + 1);
    for (int k = 0; k < count; ++k) {
      Rect r{below(kW), below(kH), 1 + below(40), 1 + below(70)};
      r.width = std::min(r.width, kW - r.x) * (below(20) != 0);
      r.height = std::min(r.height, kH - r.y);
      in.push_back(r);
      if (below(2) != 0 && r.x + r.width + 5 <= kW)
        in.push_back({r.x + 5, r.y, r.width, r.height});
    }
    const std::vector<Rect> bands = Bands(in);
    ASSERT_LE(bands.size(), static_cast<std::size_t>(kMaxBands));
    const std::vector<char> want = Cover(in, kW, kH), got = Cover(bands, kW, kH);
    long long unionArea = 0, sum = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
      ASSERT_TRUE(!want[i] || got[i]) << "pixel " << i % kW << "," << i / kW << " round " << round;
      unionArea += want[i];
    }
    Rect all{kW, kH, 0, 0};
    int right = 0, bottom = 0;
    for (const Rect& r : in) {
      if (r.Empty())
        continue;
      all.x = std::min(all.x, r.x);
      all.y = std::min(all.y, r.y);
      right = std::max(right, r.x + r.width);
      bottom = std::max(bottom, r.y + r.height);
    }
    for (const Rect& b : bands) {
      ASSERT_FALSE(b.Empty());
      ASSERT_TRUE(b.x >= all.x && b.y >= all.y && b.x + b.width <= right &&
                  b.y + b.height <= bottom)
          << "round " << round;
      sum += Area(b);
    }
    // Copying the bands never costs more than copying the bounds of it all.
    ASSERT_LE(sum, static_cast<long long>(right - all.x) * (bottom - all.y)) << "round " << round;
    if (unionArea > 0)
      worst = std::max(worst, static_cast<double>(sum) / static_cast<double>(unionArea));
  }
  std::printf("bands' area over the changed area: at most %.2f\n", worst);
  // One band around everything would come to several times the union here.
  EXPECT_LE(worst, 2.0);
}

TEST(BandsTest, FewSeparatePlacesGoOutAsTheyAre) {
  // kMaxBands characters, each with its old and new place 10 pixels apart in
  // its lane, far from each other: a band each, exactly their union.
  std::vector<Rect> in;
  std::vector<Rect> expected;
  for (int k = 0; k < kMaxBands; ++k) {
    const int x = (k % 4) * 200, y = (k / 4) * 160;
    in.push_back({x, y, 80, 140});
    in.push_back({x + 10, y, 80, 140});
    expected.push_back({x, y, 90, 140});
  }
  std::vector<Rect> bands = Bands(in);
  auto order = [](const Rect& a, const Rect& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
  std::sort(bands.begin(), bands.end(), order);
  EXPECT_EQ(bands, expected);
  // One more place forces one merge, the one that adds least: two places
  // one above the other join across the 20 rows between them.
  in.push_back({800 - 85, 0, 80, 140});
  bands = Bands(in);
  ASSERT_EQ(bands.size(), static_cast<std::size_t>(kMaxBands));
  long long sum = 0;
  for (const Rect& b : bands)
    sum += Area(b);
  EXPECT_EQ(sum, kMaxBands * 90 * 140 + 80 * 140 + 90 * 20);
}
