// The held desktop handed to the background: only a capture of exactly the
// held area into a surface of its own takes the picture; any other capture
// copies and leaves it held.
#include "ports/common/held_desktop.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace quimbel;

namespace {

ports::HeldDesktop Holding(int left, int top, int width, int height) {
  ports::HeldDesktop held;
  held.Hold({left, top, left + width, top + height},
            [](base::Surface& dst, int x, int y, int, int) {
              for (int row = 0; row < dst.Height(); ++row)
                for (int col = 0; col < dst.Width(); ++col)
                  dst.At(col, row) = static_cast<base::Pixel>((y + row) * 1000 + x + col);
              return true;
            });
  return held;
}

TEST(HeldDesktopTest, OnlyTheWholeAreaIntoASurfaceOfItsOwnTakesThePicture) {
  ports::HeldDesktop held = Holding(10, 20, 6, 4);
  const base::Pixel* picture = held.Picture().Data();

  base::Surface part(3, 2);
  ASSERT_TRUE(held.HandOver(part, 12, 21, 3, 2));
  EXPECT_EQ(part.At(0, 0), 21u * 1000 + 12);
  std::vector<base::Pixel> window(6 * 4);
  base::Surface wrapped;
  wrapped.Wrap(window.data(), 6, 4);
  ASSERT_TRUE(held.HandOver(wrapped, 10, 20, 6, 4));
  EXPECT_EQ(wrapped.Data(), window.data()) << "memory given to Wrap stays where it is";
  EXPECT_EQ(window[6 * 3 + 5], 23u * 1000 + 15);
  base::Surface bigger(7, 4);
  ASSERT_TRUE(held.HandOver(bigger, 10, 20, 6, 4));
  ASSERT_TRUE(held.Held()) << "copies leave the picture held";

  base::Surface background(6, 4);
  ASSERT_TRUE(held.HandOver(background, 10, 20, 6, 4));
  EXPECT_EQ(background.Data(), picture) << "the picture itself, not a copy";
  EXPECT_EQ(background.At(5, 3), 23u * 1000 + 15);
  EXPECT_FALSE(held.Held());
  base::Surface after(6, 4);
  EXPECT_FALSE(held.HandOver(after, 10, 20, 6, 4)) << "nothing is held any more";
}

}  // namespace
