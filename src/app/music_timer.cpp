#include "app/music_timer.hpp"

#include "app/program.hpp"
#include "sound/music.hpp"
#include "sound/music_poll.hpp"

namespace quimbel::app {
namespace {

void SetPeriod(Program& program, int periodMs) {
  if (!program.saver.frmDisp || periodMs == program.musicPollMs)
    return;
  program.musicPollMs = periodMs;
  if (periodMs > 0)
    program.saver.frmDisp->StartTimer(platform::SaverTimer::k2, periodMs);
  else
    program.saver.frmDisp->StopTimer(platform::SaverTimer::k2);
}

}  // namespace

void StartMusicPoll(Program& program) {
  program.musicPollMs = 0;
  SetPeriod(program, sound::kMusicPollMs);
}

void StopMusicPoll(Program& program) {
  SetPeriod(program, 0);
}

void PollMusic(Program& program) {
  sound::PlayMusic(program, sound::MusicPoll);
  if (!program.ended)
    SetPeriod(program, sound::NextMusicPollMs(program));
}

}  // namespace quimbel::app
