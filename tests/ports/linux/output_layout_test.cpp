#include "ports/linux/wayland/output_layout.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quimbel::linux_port {
namespace {

bool Same(const base::Rect& a, const base::Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Two outputs side by side, the second one lower and left of the first, as
// xdg-output may report them.
TEST(OutputLayout, EachOutputSeesItsOwnPartOfAChange) {
  const std::vector<OutputArea> outputs = {
      {0, 0, 1280, 720}, {-1024, 100, 1024, 768}, {0, 0, 0, 0}};
  // A character across the seam at global x 0, in frame coordinates (the
  // frame's corner is the scene's, the bounds of the outputs); one beyond
  // every output; one that only touches the second output's bottom-left
  // corner.
  const platform::Point32 origin{-1024, 0};
  const std::vector<base::Rect> changed = {{1004, 150, 40, 30}, {2400, 0, 5, 5}, {0, 867, 1, 1}};
  std::vector<base::Rect> first = DamageOnOutput(changed, origin, outputs[0]);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_TRUE(Same(first[0], {0, 150, 20, 30}));
  std::vector<base::Rect> second = DamageOnOutput(changed, origin, outputs[1]);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_TRUE(Same(second[0], {1004, 50, 20, 30}));
  EXPECT_TRUE(Same(second[1], {0, 767, 1, 1}));
}

}  // namespace
}  // namespace quimbel::linux_port
