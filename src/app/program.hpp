#pragma once
// The one object that holds what the program keeps for its whole life: the
// run-wide values, the four settings, the saver's table and surfaces, the
// music's state and the open dialog windows. main owns it; tests make as many
// as they like.
#include <cstdint>
#include <string>

#include "app/display_power.hpp"
#include "app/modal_boxes.hpp"
#include "base/int16.hpp"
#include "engine/saver_state.hpp"
#include "platform/platform.hpp"
#include "sound/host.hpp"
#include "sound/music_state.hpp"
#include "ui/host.hpp"
#include "ui/saver_settings.hpp"
#include "ui/ui_state.hpp"

namespace quimbel::app {

// Hosted: the saver inside a screen-saver daemon's window (app/hosted_run.hpp).
enum class RunMode { None, Saver, Preview, Configure, Hosted };

using TuneRule = sound::TuneRule;

// The four persisted settings.
using SaverSettings = ui::SaverSettings;

// Values that Main sets once and the rest of the program reads.
struct RunValues {
  std::string AppPath;  // the program directory, ending in the path separator
  RunMode Mode = RunMode::None;
  base::Int16 IsSaverMode;  // -1 only in the saver run
  base::Int16 OriginX;
  base::Int16 OriginY;
  base::Int16 ScreenWidthPx;  // saver: pixels; preview: the pane's size in twips
  base::Int16 ScreenHeightPx;
  base::Int16 RandomCaraType;  // the character drawn by lot when CaraType is 7
  // The saver's scene scale, decided once per run (engine/scene_scale); the
  // preview's picture is the host's, always 1.
  int SceneScale = 1;
  std::int32_t HostHandle = 0;  // N of the command line; a hosted run's window
  // Decided with the run mode: whether the pointer or the caret leaving its
  // start ends the run, and who plays the tune.
  bool EndsOnUserInput = true;
  TuneRule Tune = TuneRule::Play;
};

// The sound and the dialog windows see it only as their hosts: the few
// operations below, so they need not include app/.
class Program final : public sound::Host, public ui::Host {
 public:
  explicit Program(platform::Platform& platform) : platform(platform) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  platform::Platform& platform;
  SaverSettings settings;
  RunValues run;
  engine::SaverState saver;
  sound::MusicState music;
  ui::UiState ui;
  // Every modal box of the program goes through here: one at a time.
  ModalBoxes boxes{platform.messageBoxes};
  // Whether power management has switched the saver's displays off.
  DisplayPower power;
  // The period the music's poll runs at; 0 while it is stopped (app/music_timer).
  int musicPollMs = 0;
  // Set once EndProcess was asked for: no event may act after it.
  bool ended = false;
  int exitCode = 0;  // the code of the first end

  // Ends the process through the port and remembers it.
  void End(int code = 0) override {
    if (!ended)
      exitCode = code;
    ended = true;
    platform.process.EndProcess(code);
  }

  platform::SoundService& Sound() override { return platform.sound; }
  sound::MusicState& Music() override { return music; }
  const std::string& TuneDirectory() const override { return run.AppPath; }
  std::int32_t MusicMode() const override { return settings.MusicMode; }
  sound::TuneRule Tune() const override { return run.Tune; }
  platform::Hosting* Hosting() override { return platform.hosting; }
  std::optional<int> ShowBox(const std::string& text, const std::string& caption, int flags,
                             const std::string& helpFile = {}, int helpContext = 0) override {
    return boxes.Show(text, caption, flags, helpFile, helpContext);
  }

  platform::Platform& Services() override { return platform; }
  ui::UiState& Windows() override { return ui; }
  SaverSettings& Settings() override { return settings; }
  SaverSettings DefaultSettings() const override;
  void SaveSettings() override;
  platform::Handler Guarded(std::function<void()> handler) override;
  bool Ended() const override { return ended; }
};

}  // namespace quimbel::app
