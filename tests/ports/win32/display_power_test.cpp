// The power-setting notification as the saver window reads it: the console's
// display state (off, on, dimmed) or the older monitor power, nothing else.
#include "ports/win32/display_power.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace quimbel::win32_port {
namespace {

struct Setting {
  alignas(POWERBROADCAST_SETTING) unsigned char bytes[sizeof(POWERBROADCAST_SETTING) + 4] = {};
  Setting(const GUID& guid, DWORD value, DWORD length = sizeof(DWORD)) {
    auto* s = reinterpret_cast<POWERBROADCAST_SETTING*>(bytes);
    s->PowerSetting = guid;
    s->DataLength = length;
    std::memcpy(s->Data, &value, sizeof(value));
  }
  const POWERBROADCAST_SETTING& operator*() const {
    return *reinterpret_cast<const POWERBROADCAST_SETTING*>(bytes);
  }
};

const GUID kConsole = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID kMonitor = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
// GUID_ACDC_POWER_SOURCE: another setting a window may be told of.
const GUID kPowerSource = {
    0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};

TEST(DisplayPowerWin32, OffOnAndDimmedFromEitherSetting) {
  EXPECT_EQ(DisplayLitFrom(*Setting(kConsole, 0)), false);
  EXPECT_EQ(DisplayLitFrom(*Setting(kConsole, 1)), true);
  EXPECT_EQ(DisplayLitFrom(*Setting(kConsole, 2)), true) << "dimmed is on";
  EXPECT_EQ(DisplayLitFrom(*Setting(kMonitor, 0)), false);
  EXPECT_EQ(DisplayLitFrom(*Setting(kMonitor, 1)), true);
  EXPECT_EQ(DisplayLitFrom(*Setting(kPowerSource, 0)), std::nullopt);
  EXPECT_EQ(DisplayLitFrom(*Setting(kConsole, 0, 2)), std::nullopt) << "too short to hold it";
}

}  // namespace
}  // namespace quimbel::win32_port
