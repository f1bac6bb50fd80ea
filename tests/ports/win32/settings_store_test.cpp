// The registry store: values kept as REG_SZ under the application's and
// section's key, other types read as absent, a refused write throws; and the
// contract every store keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/runtime_error.hpp"
#include "ports/win32/settings_store.hpp"
#include "ports/win32/unicode.hpp"
#include "support/settings_store_conformance.hpp"

using namespace quimbel::win32_port;

namespace {

// A base path of the tests' own, removed before and after each test, so that
// nothing of the user's settings is touched.
class RegistryStoreTest : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kBase = L"Software\\QuimbelTests\\Store";
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuimbelTests"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuimbelTests"); }

  // The raw value as the registry holds it.
  static bool RawValue(const std::wstring& path, const std::wstring& name, DWORD* type,
                       std::wstring* text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    wchar_t data[256] = {};
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    LSTATUS status =
        RegQueryValueExW(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data), &bytes);
    RegCloseKey(key);
    *text = data;
    return status == ERROR_SUCCESS;
  }

  RegistryStore store{HKEY_CURRENT_USER, kBase};
};

}  // namespace

// How the values are kept; that they read back is the shared contract,
// checked by the conformance suite below.
TEST_F(RegistryStoreTest, ValuesAreStringsUnderTheApplicationAndSectionKey) {
  store.Write("SetupQor", "QuimbelSaver", "number of cara", "5");
  store.Write("SetupQor", "QuimbelSaver", "number of cara", "50");
  DWORD type = 0;
  std::wstring text;
  ASSERT_TRUE(
      RawValue(std::wstring(kBase) + L"\\SetupQor\\QuimbelSaver", L"number of cara", &type, &text));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(text, L"50");
}

TEST_F(RegistryStoreTest, ValuesOfAnotherTypeReadAsAbsent) {
  store.Write("SetupQor", "QuimbelSaver", "saver type", "2");
  HKEY key = nullptr;
  std::wstring path = store.SectionPath("SetupQor", "QuimbelSaver");
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  DWORD number = 3;
  RegSetValueExW(key, L"saver type", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof(number));
  // A string stored without its terminator still reads as its text.
  const wchar_t raw[] = {L'1', L'2'};
  RegSetValueExW(key, L"music mode", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof(raw));
  RegCloseKey(key);
  EXPECT_FALSE(store.Read("SetupQor", "QuimbelSaver", "saver type").has_value());
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "music mode"), "12");
}

TEST_F(RegistryStoreTest, RefusedWritesThrowStoreFailure) {
  store.Write("SetupQor", "QuimbelSaver", "number of cara", "5");
  auto refusal = [](RegistryStore& target, const std::string& application, const std::string& key) {
    try {
      target.Write(application, "QuimbelSaver", key, "7");
    } catch (const quimbel::base::RuntimeError& error) {
      return error.Number();
    }
    return 0;
  };
  // The registry refuses a key name longer than 255 characters, a value name
  // longer than 16383, and any key under a handle that is no longer open.
  EXPECT_EQ(refusal(store, std::string(300, 'a'), "number of cara"), quimbel::base::kStoreFailure);
  EXPECT_EQ(refusal(store, "SetupQor", std::string(17000, 'k')), quimbel::base::kStoreFailure);
  HKEY closed = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QuimbelTests", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &closed, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(closed);
  RegistryStore orphan(closed, L"Store");
  EXPECT_EQ(refusal(orphan, "SetupQor", "number of cara"), quimbel::base::kStoreFailure);
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "number of cara"), "5");
}

TEST(RegistryStorePathTest, DefaultPlaceIsTheClassicSettingsBranch) {
  RegistryStore store;
  EXPECT_EQ(store.SectionPath("SetupQor", "QuimbelSaver"),
            L"Software\\VB and VBA Program Settings\\SetupQor\\QuimbelSaver");
}

namespace {

// A private key path, removed before and after each test.
struct RegistryStoreFactory {
  RegistryStoreFactory() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuimbelTests"); }
  ~RegistryStoreFactory() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuimbelTests"); }
  std::unique_ptr<quimbel::platform::SettingsStore> Make() {
    return std::make_unique<RegistryStore>(HKEY_CURRENT_USER,
                                           L"Software\\QuimbelTests\\Conformance");
  }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SettingsStoreConformance, RegistryStoreFactory);
}  // namespace quimbel::conformance
