#include "ports/headless/settings_store.hpp"

#include "base/runtime_error.hpp"

namespace quimbel::headless {

std::optional<std::string> MemoryStore::Read(std::string_view application, std::string_view section,
                                             std::string_view key) {
  auto it = values.find(Key{application, section, key});
  if (it == values.end())
    return std::nullopt;
  return it->second;
}

void MemoryStore::Write(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value) {
  if (failAfterWrites >= 0 && static_cast<int>(writeLog.size()) >= failAfterWrites) {
    throw base::RuntimeError::StoreFailure("write refused");
  }
  values[Key{application, section, key}] = std::string(value);
  writeLog.emplace_back(key);
}

std::optional<std::string> MemoryStore::Get(const std::string& key) const {
  auto it = values.find(Key{"SetupQor", "QuimbelSaver", key});
  if (it == values.end())
    return std::nullopt;
  return it->second;
}

void MemoryStore::Set(const std::string& key, const std::string& value) {
  values[Key{"SetupQor", "QuimbelSaver", key}] = value;
}

}  // namespace quimbel::headless
