// The Linux settings file: its layout, foreign lines kept, atomic replacement
// (also under kills), links and byte-order marks, refused writes reported;
// and the contract every store keeps.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/program.hpp"
#include "app/settings.hpp"
#include "base/runtime_error.hpp"
#include "ports/headless/headless_platform.hpp"
#include "ports/linux/settings_store.hpp"
#include "support/settings_store_conformance.hpp"

namespace fs = std::filesystem;
using quimbel::linux_port::FileStore;

namespace {

class FileStoreTest : public ::testing::Test {
 protected:
  fs::path dir;
  void SetUp() override {
    char pattern[] = "/tmp/quimbel-store-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    chmod(dir.c_str(), 0700);
    fs::remove_all(dir);
  }
  std::string FileText(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

// What the values look like in the file; that they read back is the shared
// contract, checked by the conformance suite below.
TEST_F(FileStoreTest, ValuesAreKeptAsLinesOfTheSectionInWriteOrder) {
  FileStore store(dir / "cfg");
  store.Write("SetupQor", "QuimbelSaver", "number of cara", "5");
  store.Write("SetupQor", "QuimbelSaver", "music mode", "0");
  store.Write("SetupQor", "QuimbelSaver", "number of cara", "-12");
  EXPECT_EQ(FileText(store.FileFor("SetupQor")),
            "[QuimbelSaver]\nnumber of cara=-12\nmusic mode=0\n");
}

TEST_F(FileStoreTest, OtherSectionsAndKeysAreKept) {
  fs::create_directories(dir);
  std::ofstream(dir / "SetupQor.ini") << "# mine\n[Other]\nx=1\n[QuimbelSaver]\nsaver type= 3 \n";
  FileStore store(dir);
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "saver type"), " 3 ");
  store.Write("SetupQor", "QuimbelSaver", "music mode", "1");
  store.Write("SetupQor", "Other", "y", "2");
  EXPECT_EQ(FileText(dir / "SetupQor.ini"),
            "# mine\n[Other]\nx=1\ny=2\n[QuimbelSaver]\nsaver type= 3 \nmusic mode=1\n");
}

// A line with several carriage returns before its line feed is written back
// with a bare line feed: it must mean the same on the next read, or a save
// would move keys into another section (found by the settings fuzz target).
TEST_F(FileStoreTest, LinesEndingInSeveralCarriageReturnsReadTheSameAfterASave) {
  fs::create_directories(dir);
  std::ofstream(dir / "SetupQor.ini") << "[QuimbelSaver]\r\nm\r\n[x]\r\r\nmusic mode=1\r\r\n";
  FileStore store(dir);
  EXPECT_FALSE(store.Read("SetupQor", "QuimbelSaver", "music mode").has_value());
  EXPECT_EQ(store.Read("SetupQor", "x", "music mode"), "1");
  store.Write("SetupQor", "QuimbelSaver", "saver type", "3");
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "saver type"), "3");
  EXPECT_EQ(store.Read("SetupQor", "x", "music mode"), "1");
}

TEST_F(FileStoreTest, SavingReplacesTheFileWholeAndLeavesNoTemporary) {
  FileStore store(dir);
  quimbel::headless::HeadlessPlatform hp;
  quimbel::platform::Platform platform{hp.process,  hp.screen, store,    hp.random,      hp.sound,
                                       hp.previews, hp.savers, hp.forms, hp.messageBoxes};
  quimbel::app::Program program(platform);
  program.settings = {5, 7, 3, 0};
  quimbel::app::SaveSettings(program);
  quimbel::app::Program next(platform);
  quimbel::app::LoadSettings(next);
  EXPECT_EQ(next.settings.CaraCount, 5);
  EXPECT_EQ(next.settings.CaraType, 7);
  EXPECT_EQ(next.settings.SaverType, 3);
  EXPECT_EQ(next.settings.MusicMode, 0);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    ++files;
    EXPECT_EQ(entry.path().filename(), "SetupQor.ini");
  }
  EXPECT_EQ(files, 1);
}

TEST_F(FileStoreTest, ARefusedWriteRaisesAndKeepsTheOldFile) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root writes into read-only directories";
  FileStore store(dir);
  store.Write("SetupQor", "QuimbelSaver", "saver type", "1");
  chmod(dir.c_str(), 0500);
  try {
    store.Write("SetupQor", "QuimbelSaver", "saver type", "3");
    ADD_FAILURE() << "the write must be refused";
  } catch (const quimbel::base::RuntimeError& e) {
    EXPECT_EQ(e.Number(), quimbel::base::kStoreFailure);
  }
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "saver type"), "1");
}

TEST_F(FileStoreTest, AFailedReplaceRaisesAndLeavesNoTemporary) {
  // A directory where the file belongs: the final rename fails, even for root.
  fs::create_directories(dir / "SetupQor.ini" / "inside");
  FileStore store(dir);
  EXPECT_THROW(store.Write("SetupQor", "QuimbelSaver", "saver type", "3"),
               quimbel::base::RuntimeError);
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "SetupQor.ini");
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(FileStoreTest, AFileInTheWayOfTheDirectoryIsAStoreFailure) {
  std::ofstream(dir / "blocked") << "x";
  FileStore store(dir / "blocked");
  EXPECT_FALSE(store.Read("SetupQor", "QuimbelSaver", "saver type").has_value());
  EXPECT_THROW(store.Write("SetupQor", "QuimbelSaver", "saver type", "3"),
               quimbel::base::RuntimeError);
}

TEST_F(FileStoreTest, TextThatWouldBreakTheFileIsRefused) {
  FileStore store(dir);
  EXPECT_THROW(store.Write("SetupQor", "QuimbelSaver", "k", "1\n[x]"), quimbel::base::RuntimeError);
  EXPECT_THROW(store.Write("SetupQor", "QuimbelSaver", "a=b", "1"), quimbel::base::RuntimeError);
  EXPECT_FALSE(fs::exists(store.FileFor("SetupQor")));
}

TEST_F(FileStoreTest, ASaveThroughALinkReplacesItsTargetAndKeepsTheLink) {
  fs::create_directories(dir / "dotfiles");
  fs::create_directories(dir / "cfg");
  std::ofstream(dir / "dotfiles" / "SetupQor.ini") << "[QuimbelSaver]\nsaver type=1\n";
  fs::create_symlink("../dotfiles/SetupQor.ini", dir / "cfg" / "SetupQor.ini");
  FileStore store(dir / "cfg");
  store.Write("SetupQor", "QuimbelSaver", "saver type", "3");
  EXPECT_TRUE(fs::is_symlink(dir / "cfg" / "SetupQor.ini"));
  EXPECT_EQ(FileText(dir / "dotfiles" / "SetupQor.ini"), "[QuimbelSaver]\nsaver type=3\n");
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "saver type"), "3");
}

TEST_F(FileStoreTest, AByteOrderMarkIsReadPastAndKept) {
  fs::create_directories(dir);
  std::ofstream(dir / "SetupQor.ini") << "\xEF\xBB\xBF[QuimbelSaver]\r\nsaver type=3\r\n";
  FileStore store(dir);
  EXPECT_EQ(store.Read("SetupQor", "QuimbelSaver", "saver type"), "3");
  store.Write("SetupQor", "QuimbelSaver", "music mode", "1");
  EXPECT_EQ(FileText(dir / "SetupQor.ini"),
            "\xEF\xBB\xBF[QuimbelSaver]\nsaver type=3\nmusic mode=1\n");
}

TEST_F(FileStoreTest, TemporariesOfEndedSavesAreRemovedOthersKept) {
  fs::create_directories(dir);
  // No process has id 999999999 (past the kernel's largest, 2^22); ours does.
  std::ofstream(dir / "SetupQor.ini.tmp.999999999") << "x";
  std::string mine = "SetupQor.ini.tmp." + std::to_string(getpid());
  std::ofstream(dir / mine) << "x";
  FileStore store(dir);
  store.Write("SetupQor", "QuimbelSaver", "saver type", "3");
  EXPECT_FALSE(fs::exists(dir / "SetupQor.ini.tmp.999999999"));
  EXPECT_TRUE(fs::exists(dir / mine));
}

// A process saving one set of four values after another is killed at random
// moments, many times: the file then holds one whole set, never a mix, and
// at most the one temporary file that the next save takes over.
TEST_F(FileStoreTest, ASaveKilledAtAnyMomentLeavesOneWholeSet) {
  fs::create_directories(dir);
  quimbel::headless::HeadlessPlatform hp;
  FileStore store(dir);
  quimbel::platform::Platform platform{hp.process,  hp.screen, store,    hp.random,      hp.sound,
                                       hp.previews, hp.savers, hp.forms, hp.messageBoxes};
  const quimbel::app::SaverSettings sets[2] = {{11, 1, 1, 1}, {22, 2, 3, 2}};
  std::mt19937 rng(12345);
  int killedMidSave = 0;
  for (int round = 0; round < 60; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      quimbel::app::Program program(platform);
      for (int i = 0;; ++i) {
        program.settings = sets[i % 2];
        quimbel::app::SaveSettings(program);
      }
    }
    usleep(std::uniform_int_distribution<int>(2000, 20000)(rng));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    quimbel::app::Program loaded(platform);
    quimbel::app::LoadSettings(loaded);
    const quimbel::app::SaverSettings& got = loaded.settings;
    bool whole = false;
    for (const auto& set : sets)
      whole = whole || (got.CaraCount == set.CaraCount && got.CaraType == set.CaraType &&
                        got.SaverType == set.SaverType && got.MusicMode == set.MusicMode);
    bool absent = !fs::exists(dir / "SetupQor.ini");
    ASSERT_TRUE(whole || absent) << "round " << round << ": " << got.CaraCount << " "
                                 << got.CaraType << " " << got.SaverType << " " << got.MusicMode;
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::string name = entry.path().filename().string();
      ASSERT_TRUE(name == "SetupQor.ini" || name == "SetupQor.ini.tmp") << name;
      killedMidSave += name == "SetupQor.ini.tmp";
    }
  }
  std::cout << "kills that caught a save between its write and its rename: " << killedMidSave
            << " of 60\n";
  quimbel::app::Program last(platform);
  last.settings = sets[0];
  quimbel::app::SaveSettings(last);
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "SetupQor.ini");
  }
  EXPECT_EQ(entries, 1);
}

TEST(FileStoreLocationTest, FollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(FileStore::DefaultDirectory(), fs::path("/tmp/xdg-test/quimbel"));
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the XDG rules say
  EXPECT_NE(FileStore::DefaultDirectory(), fs::path("relative/quimbel"));
  if (old) {
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace

namespace {

// A fresh directory of its own for each test, removed afterwards.
struct FileStoreFactory {
  fs::path dir;
  FileStoreFactory() {
    char pattern[] = "/tmp/quimbel-conf-XXXXXX";
    if (mkdtemp(pattern) != nullptr)
      dir = pattern;
  }
  ~FileStoreFactory() {
    if (!dir.empty())
      fs::remove_all(dir);
  }
  std::unique_ptr<quimbel::platform::SettingsStore> Make() {
    EXPECT_FALSE(dir.empty()) << "no temporary directory";
    return std::make_unique<FileStore>(dir / "cfg");
  }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, SettingsStoreConformance, FileStoreFactory);
}  // namespace quimbel::conformance
