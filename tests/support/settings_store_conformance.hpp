#pragma once
// What every settings store promises its callers, written once and run
// against each port's store. A port instantiates it with a factory type:
// default-constructible, giving a fresh empty store in a place of its own
// from Make(), and removing that place when destroyed.
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Port, SettingsStoreConformance, PortFactory);
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "platform/settings_store.hpp"

namespace quimbel::conformance {

template <class Factory>
class SettingsStoreConformance : public ::testing::Test {
 protected:
  Factory factory;
  std::unique_ptr<platform::SettingsStore> store = factory.Make();
};

TYPED_TEST_SUITE_P(SettingsStoreConformance);

TYPED_TEST_P(SettingsStoreConformance, AbsentValuesReadAsAbsent) {
  platform::SettingsStore& s = *this->store;
  EXPECT_FALSE(s.Read("SetupQor", "QuimbelSaver", "number of cara").has_value());
  s.Write("SetupQor", "QuimbelSaver", "music mode", "1");
  EXPECT_FALSE(s.Read("SetupQor", "QuimbelSaver", "number of cara").has_value());
  EXPECT_FALSE(s.Read("SetupQor", "Other", "music mode").has_value());
  EXPECT_FALSE(s.Read("Other", "QuimbelSaver", "music mode").has_value());
}

TYPED_TEST_P(SettingsStoreConformance, ValuesRoundTripAndOverwritesKeepTheirNeighbours) {
  platform::SettingsStore& s = *this->store;
  s.Write("SetupQor", "QuimbelSaver", "number of cara", "5");
  s.Write("SetupQor", "QuimbelSaver", "saver type", "-1");
  s.Write("SetupQor", "Other", "number of cara", "other section");
  s.Write("Other", "QuimbelSaver", "number of cara", "other application");
  s.Write("SetupQor", "QuimbelSaver", "number of cara", "50");
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "number of cara"), "50");
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "saver type"), "-1");
  EXPECT_EQ(s.Read("SetupQor", "Other", "number of cara"), "other section");
  EXPECT_EQ(s.Read("Other", "QuimbelSaver", "number of cara"), "other application");
}

TYPED_TEST_P(SettingsStoreConformance, WriteAllStoresEveryValueOfTheBatch) {
  platform::SettingsStore& s = *this->store;
  s.Write("SetupQor", "QuimbelSaver", "saver type", "9");
  s.Write("SetupQor", "QuimbelSaver", "kept", "yes");
  const std::array<platform::SettingValue, 4> batch = {
      {{"number of cara", "12"}, {"type of cara", "3"}, {"saver type", "2"}, {"music mode", "0"}}};
  s.WriteAll("SetupQor", "QuimbelSaver", batch);
  for (const platform::SettingValue& v : batch)
    EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", v.key), std::string(v.value)) << v.key;
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "kept"), "yes");
  EXPECT_FALSE(s.Read("SetupQor", "Other", "music mode").has_value());
}

TYPED_TEST_P(SettingsStoreConformance, JapaneseLongAndEmptyTextSurvive) {
  platform::SettingsStore& s = *this->store;
  s.Write("アプリ", "区分", "キー", "くいんべる　ｻ");
  EXPECT_EQ(s.Read("アプリ", "区分", "キー"), "くいんべる　ｻ");
  s.Write("SetupQor", "QuimbelSaver", "music mode", "");
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "music mode"), "");
  const std::string longText(3000, '7');
  s.Write("SetupQor", "QuimbelSaver", "type of cara", longText);
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "type of cara"), longText);
  EXPECT_EQ(s.Read("SetupQor", "QuimbelSaver", "music mode"), "");
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreConformance, AbsentValuesReadAsAbsent,
                            ValuesRoundTripAndOverwritesKeepTheirNeighbours,
                            WriteAllStoresEveryValueOfTheBatch, JapaneseLongAndEmptyTextSurvive);

}  // namespace quimbel::conformance
