#pragma once
// Headless settings store: an in-memory map that can be told to refuse writes.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/settings_store.hpp"

namespace quimbel::headless {

class MemoryStore : public platform::SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::map<Key, std::string> values;
  // Writes fail once this many have succeeded (-1: never).
  int failAfterWrites = -1;
  std::vector<std::string> writeLog;  // keys written, in order

  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // The program's own section, for tests.
  std::optional<std::string> Get(const std::string& key) const;
  void Set(const std::string& key, const std::string& value);
};

}  // namespace quimbel::headless
