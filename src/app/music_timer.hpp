#pragma once
// The saver window's second timer, which polls the tune: it runs at the
// period the tune asks for (sound/music_poll), quick near the tune's end and
// asleep in between, and stops while there is no tune to poll.
namespace quimbel::app {

class Program;

// Starts the poll at its quick period: at the saver's start, and when the
// displays light up again.
void StartMusicPoll(Program& program);
// Stops it, while the displays are dark.
void StopMusicPoll(Program& program);
// One poll (sound::MusicPoll), then the timer at the period that follows.
void PollMusic(Program& program);

}  // namespace quimbel::app
