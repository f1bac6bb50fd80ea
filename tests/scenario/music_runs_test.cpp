// The tune over whole runs: the saver starts it, its 10 ms timer keeps it
// going, its end stops it; the preview and the settings dialog stay silent
// whatever the music setting.
#include <gtest/gtest.h>

#include <string>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "app/settings.hpp"
#include "ports/headless/headless_platform.hpp"
#include "support/saver_run.hpp"

using namespace quimbel;

namespace {

TEST(MusicRunsTest, PreviewAndSettingsRunsNeverSendASoundCommand) {
  for (const char* line : {"/p 1234", "/P 1234", "/c", "/C", "", "/x"}) {
    for (const char* mode : {"1", "2"}) {
      headless::HeadlessPlatform port;
      port.store.Set(app::kKeyMusicMode, mode);
      port.process.commandLine = line;
      port.screen.windows[1234] = {0, 0, 152, 112};
      app::Program program(port.platform);
      app::RunMain(program);
      EXPECT_EQ(program.settings.MusicMode, std::stoi(mode));
      EXPECT_TRUE(port.sound.calls.empty()) << "command line \"" << line << "\"";
      EXPECT_EQ(program.music.BgmActive, 0);
    }
  }
}

std::vector<std::string> Log(const headless::HeadlessSound& sound) {
  std::vector<std::string> log;
  for (const headless::SoundCall& call : sound.calls)
    log.push_back(call.command);
  return log;
}

TEST(MusicRunsTest, TheSaverStartsLoopsAndStopsTheTune) {
  fixtures::SaverRun run(320, 240, 3, 0, 2, /*musicMode=*/2);
  run.hp.process.executableDirectory = "C:\\Program Files\\くいんべる";
  run.hp.screen.cursor = {10, 10};
  run.Start();
  headless::HeadlessSound& sound = run.hp.sound;
  using Lines = std::vector<std::string>;
  EXPECT_EQ(Log(sound), (Lines{"open \"C:\\Program Files\\くいんべる\\quimbel.mid\" alias bgm",
                               "play bgm notify"}));
  run.Window().FireTimer2();
  run.Ticks(1);
  run.Window().FireTimer2();
  // This device cannot tell the tune's length: the poll asks once and then
  // keeps to its quick period.
  Lines polled = Log(sound);
  EXPECT_EQ(Lines(polled.begin() + 2, polled.end()),
            (Lines{"status bgm mode", "status bgm length", "status bgm mode"}));
  EXPECT_EQ(run.Window().timer2Ms, 10);
  sound.EndTune("bgm");
  run.Window().FireTimer2();
  Lines log = Log(sound);
  EXPECT_EQ(Lines(log.begin() + 5, log.end()),
            (Lines{"status bgm mode", "seek bgm to start", "play bgm notify"}));

  run.hp.screen.cursor = {11, 10};
  run.Ticks(1);
  ASSERT_TRUE(run.hp.process.Ended());
  log = Log(sound);
  EXPECT_EQ(Lines(log.end() - 2, log.end()), (Lines{"stop bgm", "close bgm"}));
  EXPECT_TRUE(sound.devices.empty());
  std::size_t atEnd = sound.calls.size();
  run.Window().FireTimer2();
  EXPECT_EQ(sound.calls.size(), atEnd) << "nothing plays after the end";
  EXPECT_TRUE(run.hp.messageBoxes.shown.empty());
}

TEST(MusicRunsTest, MusicOffKeepsTheWholeSaverRunSilent) {
  fixtures::SaverRun run(320, 240, 3, 0, 2, /*musicMode=*/0);
  run.Start();
  for (int i = 0; i < 5; ++i)
    run.Window().FireTimer2();
  run.Ticks(2);
  run.Window().Click();
  EXPECT_TRUE(run.hp.process.Ended());
  EXPECT_TRUE(run.hp.sound.calls.empty());
}

}  // namespace
