#pragma once
// The titles of the two windows that make a run: other processes find them
// by these exact texts, so a second start can refuse to run beside them.
namespace quimbel::ui {

inline constexpr const char* kSaverWindowTitle = "SAVER Screen";
inline constexpr const char* kSettingsWindowTitle = "Saver Setting";

}  // namespace quimbel::ui
