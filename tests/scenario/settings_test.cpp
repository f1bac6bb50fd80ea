// The four settings in the store: defaults, conversion, bad values, saving.
#include <gtest/gtest.h>

#include "app/program.hpp"
#include "app/settings.hpp"
#include "ports/headless/headless_platform.hpp"

using namespace quimbel;

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};
};

TEST_F(SettingsTest, AnEmptyStoreGivesTheDefaults) {
  app::LoadSettings(program);
  EXPECT_EQ(program.settings.CaraCount, 20);
  EXPECT_EQ(program.settings.CaraType, 8);
  EXPECT_EQ(program.settings.SaverType, 2);
  EXPECT_EQ(program.settings.MusicMode, 2);
  EXPECT_TRUE(hp.store.values.empty()) << "loading writes nothing";
}

TEST_F(SettingsTest, StoredTextIsConverted) {
  hp.store.Set("number of cara", " 7 ");
  hp.store.Set("type of cara", "2.5");
  hp.store.Set("saver type", "3.5");
  hp.store.Set("music mode", "-1");
  app::LoadSettings(program);
  EXPECT_EQ(program.settings.CaraCount, 7);
  EXPECT_EQ(program.settings.CaraType, 2);
  EXPECT_EQ(program.settings.SaverType, 4);
  EXPECT_EQ(program.settings.MusicMode, -1) << "no range check on load";
}

TEST_F(SettingsTest, BadStoredValuesGiveDefaultsAndStayUntouched) {
  hp.store.Set("number of cara", "many");
  hp.store.Set("type of cara", "");
  hp.store.Set("saver type", "40000");
  hp.store.Set("music mode", "1");
  app::LoadSettings(program);
  EXPECT_EQ(program.settings.CaraCount, 20);
  EXPECT_EQ(program.settings.CaraType, 8);
  EXPECT_EQ(program.settings.SaverType, 2);
  EXPECT_EQ(program.settings.MusicMode, 1) << "the keys after a bad one still load";
  EXPECT_EQ(hp.store.Get("number of cara"), "many");
  EXPECT_EQ(hp.store.Get("type of cara"), "");
  EXPECT_EQ(hp.store.Get("saver type"), "40000");
}

TEST_F(SettingsTest, SaveWritesAllFourAsDecimalTextInKeyOrder) {
  program.settings = {5, -1, 3, 0};
  app::SaveSettings(program);
  std::vector<std::string> order{"number of cara", "type of cara", "saver type", "music mode"};
  EXPECT_EQ(hp.store.writeLog, order);
  EXPECT_EQ(hp.store.Get("number of cara"), "5");
  EXPECT_EQ(hp.store.Get("type of cara"), "-1");
  EXPECT_EQ(hp.store.Get("saver type"), "3");
  EXPECT_EQ(hp.store.Get("music mode"), "0");

  app::Program next(hp.platform);
  app::LoadSettings(next);
  EXPECT_EQ(next.settings.CaraCount, 5);
  EXPECT_EQ(next.settings.CaraType, -1);
}

TEST_F(SettingsTest, ARefusedWriteKeepsTheKeysWrittenBeforeIt) {
  hp.store.Set("saver type", "1");
  hp.store.failAfterWrites = 2;
  program.settings = {9, 4, 3, 1};
  try {
    app::SaveSettings(program);
    FAIL() << "the refused write must raise";
  } catch (const base::RuntimeError& e) {
    EXPECT_EQ(e.Number(), base::kStoreFailure);
  }
  EXPECT_EQ(hp.store.Get("number of cara"), "9");
  EXPECT_EQ(hp.store.Get("type of cara"), "4");
  EXPECT_EQ(hp.store.Get("saver type"), "1");
  EXPECT_FALSE(hp.store.Get("music mode").has_value());
}

}  // namespace
