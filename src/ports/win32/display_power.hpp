#pragma once
// The displays' power as Windows tells it: power-setting notifications to the
// saver window (WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE).
#include <windows.h>

#include <optional>

namespace quimbel::win32_port {

// Asks the system to tell window whenever the displays' power changes, and
// at once what it is now: the console's display state, or, where the system
// does not know that setting, the monitors' power. nullptr when neither can
// be had. Give it back with UnregisterPowerSettingNotification.
HPOWERNOTIFY NotifyDisplayPower(HWND window);

// Whether the displays are lit, as a notification's setting tells it (a
// dimmed display is lit); nothing for any other setting or a setting too
// short to hold its value.
std::optional<bool> DisplayLitFrom(const POWERBROADCAST_SETTING& setting);

}  // namespace quimbel::win32_port
