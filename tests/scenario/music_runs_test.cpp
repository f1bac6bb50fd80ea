// Only the saver run may start the tune: the preview and the settings dialog
// stay silent whatever the music setting.
#include <gtest/gtest.h>

#include <string>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "app/settings.hpp"
#include "ports/headless/headless_platform.hpp"

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

}  // namespace
