#include "ports/win32/settings_store.hpp"

#include <vector>

#include "base/runtime_error.hpp"
#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {
namespace {

[[noreturn]] void Fail(std::string_view key, LSTATUS status) {
  throw base::RuntimeError::StoreFailure(std::string(key) + ": " + std::to_string(status));
}

}  // namespace

RegistryStore::RegistryStore(HKEY root, std::wstring basePath)
    : root_(root), basePath_(std::move(basePath)) {}

std::wstring RegistryStore::SectionPath(std::string_view application,
                                        std::string_view section) const {
  return basePath_ + L"\\" + Widen(application) + L"\\" + Widen(section);
}

std::optional<std::string> RegistryStore::Read(std::string_view application,
                                               std::string_view section, std::string_view key) {
  HKEY handle = nullptr;
  std::wstring path = SectionPath(application, section);
  if (RegOpenKeyExW(root_, path.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring name = Widen(key);
  std::optional<std::string> result;
  std::vector<wchar_t> data(64);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    LSTATUS status = RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
      // Another writer may grow the value between the two calls: ask again.
      data.resize(bytes / sizeof(wchar_t) + 1);
      continue;
    }
    if (status == ERROR_SUCCESS && type == REG_SZ) {
      // The stored data need not end in a terminator, or may hold one early.
      std::wstring_view text(data.data(), bytes / sizeof(wchar_t));
      text = text.substr(0, text.find(L'\0'));
      result = Narrow(text);
    }
    break;
  }
  RegCloseKey(handle);
  return result;
}

void RegistryStore::Write(std::string_view application, std::string_view section,
                          std::string_view key, std::string_view value) {
  HKEY handle = nullptr;
  std::wstring path = SectionPath(application, section);
  LSTATUS status = RegCreateKeyExW(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS)
    Fail(key, status);
  std::wstring name = Widen(key);
  std::wstring text = Widen(value);
  DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  status = RegSetValueExW(handle, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS)
    Fail(key, status);
}

}  // namespace quimbel::win32_port
