#include "ports/win32/display_power.hpp"

#include <cstring>

namespace quimbel::win32_port {
namespace {

// Written out rather than taken from the SDK's libraries, which not every
// tool chain links: 0 off, 1 on, 2 dimmed.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
// Older systems' setting: 0 off, 1 on.
constexpr GUID kMonitorPowerOn = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

}  // namespace

HPOWERNOTIFY NotifyDisplayPower(HWND window) {
  HPOWERNOTIFY notify =
      RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (notify == nullptr)
    notify =
        RegisterPowerSettingNotification(window, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
  return notify;
}

std::optional<bool> DisplayLitFrom(const POWERBROADCAST_SETTING& setting) {
  const bool known = IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) ||
                     IsEqualGUID(setting.PowerSetting, kMonitorPowerOn);
  if (!known || setting.DataLength < sizeof(DWORD))
    return std::nullopt;
  DWORD value = 0;
  std::memcpy(&value, setting.Data, sizeof(value));
  return value != 0;
}

}  // namespace quimbel::win32_port
