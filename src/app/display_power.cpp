#include "app/display_power.hpp"

#include "app/music_timer.hpp"
#include "app/program.hpp"
#include "sound/music.hpp"

namespace quimbel::app {

void DisplayPowerChanged(Program& program, bool lit) {
  DisplayPower& power = program.power;
  if (program.ended || program.run.IsSaverMode == 0 || !program.saver.frmDisp || power.dark != lit)
    return;
  platform::SaverWindow& window = *program.saver.frmDisp;
  power.dark = !lit;
  if (!lit) {
    sound::PlayMusic(program, sound::MusicStop);
    // The tune's stop keeps its flag, as the end of a run wants it; closed
    // for the dark, the tune is not active, and the end of a dark run must
    // send nothing to it.
    program.music.BgmActive = base::kFalse16;
    StopMusicPoll(program);
    window.StartTimer(platform::SaverTimer::k1, kDarkTickMs);
    return;
  }
  // What the window showed while dark is lost: the next frame redraws it all.
  program.saver.frameDraws.whole = true;
  window.StartTimer(platform::SaverTimer::k1, kAnimationTickMs);
  StartMusicPoll(program);
  sound::PlayMusic(program, sound::MusicStart);
}

void ProbeDisplayPower(Program& program) {
  DisplayPower& power = program.power;
  power.sinceProbeMs += power.dark ? kDarkTickMs : kAnimationTickMs;
  if (power.sinceProbeMs < kPowerProbeMs)
    return;
  power.sinceProbeMs = 0;
  if (std::optional<bool> lit = program.platform.screen.DisplaysLit())
    DisplayPowerChanged(program, *lit);
}

}  // namespace quimbel::app
