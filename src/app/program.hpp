#pragma once
// The one object that holds what the program keeps for its whole life: the
// run-wide values, the four settings, the saver's table and surfaces, the
// music's state and the open dialog windows. main owns it; tests make as many
// as they like.
#include <cstdint>
#include <string>

#include "app/modal_boxes.hpp"
#include "base/int16.hpp"
#include "engine/saver_state.hpp"
#include "platform/platform.hpp"
#include "sound/music_state.hpp"
#include "ui/ui_state.hpp"

namespace quimbel::app {

// Hosted: the saver inside a screen-saver daemon's window (app/hosted_run.hpp).
enum class RunMode { None, Saver, Preview, Configure, Hosted };

// Whether the run plays the tune: at will, only while it holds the display's
// tune lock, or never.
enum class TuneRule { Play, PlayInTurn, Silent };

// The four persisted settings.
struct SaverSettings {
  base::Int16 CaraCount;
  base::Int16 CaraType;
  base::Int16 SaverType;
  base::Int16 MusicMode;
};

// Values that Main sets once and the rest of the program reads.
struct RunValues {
  std::string AppPath;  // the program directory, ending in the path separator
  RunMode Mode = RunMode::None;
  base::Int16 IsSaverMode;  // -1 only in the saver run
  base::Int16 OriginX;
  base::Int16 OriginY;
  base::Int16 ScreenWidthPx;  // saver: pixels; preview: the pane's size in twips
  base::Int16 ScreenHeightPx;
  base::Int16 RandomCaraType;   // the character drawn by lot when CaraType is 7
  std::int32_t HostHandle = 0;  // N of the command line; a hosted run's window
  // Decided with the run mode: whether the pointer or the caret leaving its
  // start ends the run, and who plays the tune.
  bool EndsOnUserInput = true;
  TuneRule Tune = TuneRule::Play;
};

class Program {
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
  // Set once EndProcess was asked for: no event may act after it.
  bool ended = false;
  int exitCode = 0;  // the code of the first end

  // Ends the process through the port and remembers it.
  void End(int code = 0) {
    if (!ended)
      exitCode = code;
    ended = true;
    platform.process.EndProcess(code);
  }
};

}  // namespace quimbel::app
