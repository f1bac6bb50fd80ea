// The X server's DPMS state as the saver reads it: only a dark level of
// power saving that is switched on darkens the run; a server without the
// extension (Xvfb, Xorg's dummy driver) keeps it lit.
#include "ports/linux/x11/display_power.hpp"

#include <gtest/gtest.h>

namespace quimbel::linux_port {
namespace {

TEST(DisplayPowerX11, OnlyAnEnabledDarkLevelIsDark) {
  for (std::uint16_t level : {0, 1, 2, 3}) {
    EXPECT_EQ(LitFromDpms({true, true, true, level}), level == 0) << "level " << level;
    EXPECT_TRUE(LitFromDpms({true, true, false, level})) << "power saving off, level " << level;
    EXPECT_TRUE(LitFromDpms({true, false, true, level})) << "no capable screen, level " << level;
    EXPECT_TRUE(LitFromDpms({false, true, true, level})) << "no extension, level " << level;
  }
  DpmsReading none = ReadDpms(nullptr);
  EXPECT_FALSE(none.extension);
  EXPECT_TRUE(LitFromDpms(none));
}

}  // namespace
}  // namespace quimbel::linux_port
