#pragma once
// Win32 settings store: the current user's registry, one key per application
// and section under "Software\VB and VBA Program Settings", each setting a
// REG_SZ value.
#include <windows.h>

#include <string>

#include "platform/settings_store.hpp"

namespace quimbel::win32_port {

class RegistryStore : public platform::SettingsStore {
 public:
  // Tests pass another root (a key opened read-only, to see a refused write)
  // or another base path, so that they never touch the user's settings.
  explicit RegistryStore(HKEY root = HKEY_CURRENT_USER, std::wstring basePath = DefaultBasePath());

  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  // The key path, relative to the root, that holds one section.
  std::wstring SectionPath(std::string_view application, std::string_view section) const;
  static std::wstring DefaultBasePath() { return L"Software\\VB and VBA Program Settings"; }

 private:
  HKEY root_;
  std::wstring basePath_;
};

}  // namespace quimbel::win32_port
