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
  const SaverSettings& s = program.settings;
  const std::string texts[] = {std::to_string(s.CaraCount), std::to_string(s.CaraType),
                               std::to_string(s.SaverType), std::to_string(s.MusicMode)};
  // One batch: a store that keeps the four in one file changes them together.
  const platform::SettingValue values[] = {{kKeyCaraCount, texts[0]},
                                           {kKeyCaraType, texts[1]},
                                           {kKeySaverType, texts[2]},
                                           {kKeyMusicMode, texts[3]}};
  program.platform.store.WriteAll(kStoreApplication, kStoreSection, values);
}

}  // namespace quimbel::app
