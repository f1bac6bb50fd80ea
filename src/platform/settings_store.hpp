#pragma once
// The seam: the per-user store of text values addressed by application,
// section and key.
#include <optional>
#include <string>
#include <string_view>

namespace quimbel::platform {

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
};

}  // namespace quimbel::platform
