#pragma once
// Loading and saving the four settings in the per-user store.
#include "app/program.hpp"
#include "engine/cara_table.hpp"

namespace quimbel::app {

inline constexpr const char* kStoreApplication = "SetupQor";
inline constexpr const char* kStoreSection = "QuimbelSaver";
inline constexpr const char* kKeyCaraCount = "number of cara";
inline constexpr const char* kKeyCaraType = "type of cara";
inline constexpr const char* kKeySaverType = "saver type";
inline constexpr const char* kKeyMusicMode = "music mode";

inline constexpr int kDefaultCaraCount = 20;
inline constexpr int kDefaultCaraType = engine::kCaraTypeWholeCast;
inline constexpr int kDefaultSaverType = 2;
inline constexpr int kDefaultMusicMode = 2;

// Reads the four values in key order. A value that is absent, not a number or
// outside the 16-bit range gives the key's default; the store is not touched,
// so a hand-edited value stays until the user saves from the dialog.
void LoadSettings(Program& program);

// Writes all four values in key order as decimal text, as one batch. A store
// failure throws base::RuntimeError; where the store writes value by value,
// the keys written before it keep their new values.
void SaveSettings(Program& program);

}  // namespace quimbel::app
