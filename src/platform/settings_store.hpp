#pragma once
// The seam: the per-user store of text values addressed by application,
// section and key.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quimbel::platform {

// One value of a batch written by SettingsStore::WriteAll.
struct SettingValue {
  std::string_view key;
  std::string_view value;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or nothing when the value is absent (or unreadable).
  virtual std::optional<std::string> Read(std::string_view application, std::string_view section,
                                          std::string_view key) = 0;
  // Stores the text, creating the section when needed. A write the system
  // refuses throws base::RuntimeError (number kStoreFailure); values written
  // before it keep their new text.
  virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
  // Stores several values of one section, in order. A store whose values are
  // kept apart (a registry) writes them one by one, as Write does; a store
  // that keeps them in one file replaces it once, so that a refused or killed
  // save leaves either every old value or every new one.
  virtual void WriteAll(std::string_view application, std::string_view section,
                        std::span<const SettingValue> values) {
    for (const SettingValue& v : values)
      Write(application, section, v.key, v.value);
  }
};

}  // namespace quimbel::platform
