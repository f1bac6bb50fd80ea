#include "app/scene.hpp"

#include "app/program.hpp"
#include "app/saver_stage.hpp"
#include "engine/cast.hpp"
#include "engine/frame.hpp"
#include "sound/music.hpp"

namespace quimbel::app {

using engine::CaraState;
using engine::SaverState;

void SetUpScene(app::Program& program) {
  SaverState& saver = program.saver;
  const int count = UsedSlots(SaverStage(program));
  for (int i = 0; i < count; ++i) {
    CaraState& slot = saver.caraTable[i];
    slot.PosX = 0;
    slot.PosY = 0;
    slot.Phase = 0;
  }
  const int type = program.settings.SaverType;
  if (type == 1 || type == 3) {
    // A capture that fails leaves the background black, as in type 2.
    const app::RunValues& run = program.run;
    program.platform.screen.Capture(saver.scr_bkg, run.OriginX, run.OriginY, run.ScreenWidthPx,
                                    run.ScreenHeightPx);
  }
  saver.frameDraws.whole = true;
  sound::PlayMusic(program, sound::MusicStart);
  SpawnCharacters(SaverStage(program));
  ComposeFrame(SaverStage(program));
  // The window shows frames of its own now: nothing needs the desktop's
  // picture any more.
  program.platform.screen.ReleaseDesktop();
}

}  // namespace quimbel::app
