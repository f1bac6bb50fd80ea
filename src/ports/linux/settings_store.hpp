#pragma once
// Linux settings store: one INI-style text file per application under
// $XDG_CONFIG_HOME/quimbel (default ~/.config/quimbel), "[section]" headers and
// "key=value" lines, rewritten atomically on every write: one replace per
// batch, under a lock on its directory.
#include <filesystem>

#include "platform/settings_store.hpp"

namespace quimbel::linux_port {

class FileStore : public platform::SettingsStore {
 public:
  // The directory that holds the files; from the environment when not given.
  explicit FileStore(std::filesystem::path directory = DefaultDirectory());

  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;
  void WriteAll(std::string_view application, std::string_view section,
                std::span<const platform::SettingValue> values) override;

  std::filesystem::path FileFor(std::string_view application) const;
  static std::filesystem::path DefaultDirectory();

 private:
  std::filesystem::path directory_;
};

}  // namespace quimbel::linux_port
