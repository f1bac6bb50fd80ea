#include "app/settings.hpp"

#include <string>

#include "base/numeric_text.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::app {
namespace {

base::Int16 LoadOne(platform::SettingsStore& store, const char* key, int fallback) {
  std::optional<std::string> text = store.Read(kStoreApplication, kStoreSection, key);
  if (!text)
    return fallback;
  try {
    return base::TextToInt16(*text);
  } catch (const base::RuntimeError&) {
    // A value only a hand edit can produce must not lock the user out of
    // every run mode: use the default and leave the stored text alone.
    return fallback;
  }
}

}  // namespace

void LoadSettings(Program& program) {
  platform::SettingsStore& store = program.platform.store;
  SaverSettings& s = program.settings;
  s.CaraCount = LoadOne(store, kKeyCaraCount, kDefaultCaraCount);
  s.CaraType = LoadOne(store, kKeyCaraType, kDefaultCaraType);
  s.SaverType = LoadOne(store, kKeySaverType, kDefaultSaverType);
  s.MusicMode = LoadOne(store, kKeyMusicMode, kDefaultMusicMode);
}

void SaveSettings(Program& program) {
  platform::SettingsStore& store = program.platform.store;
  const SaverSettings& s = program.settings;
  store.Write(kStoreApplication, kStoreSection, kKeyCaraCount, std::to_string(s.CaraCount));
  store.Write(kStoreApplication, kStoreSection, kKeyCaraType, std::to_string(s.CaraType));
  store.Write(kStoreApplication, kStoreSection, kKeySaverType, std::to_string(s.SaverType));
  store.Write(kStoreApplication, kStoreSection, kKeyMusicMode, std::to_string(s.MusicMode));
}

}  // namespace quimbel::app
