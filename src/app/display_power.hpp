#pragma once
// The displays' power during a saver run. Once power management has switched
// off every display the saver covers, nobody sees a frame or hears the tune:
// the run stops composing and presenting, closes the tune (stopped and
// closed, so the device is let go of and holds nothing awake; a hosted run
// gives its display's tune lock back), stops the music poll and ticks only a
// few times a second, to notice input and the light coming back. Input
// still ends the run. When a display lights up again, the timers run as at
// the start, the tune opens again from its beginning, and the next tick
// draws a whole frame. Ports report the change (SaverEvents::OnDisplayPower)
// or are asked about once a second (Screen::DisplaysLit).
namespace quimbel::app {

class Program;

// The animation's tick while lit and while dark (the music's poll keeps its
// own periods: app/music_timer).
inline constexpr int kAnimationTickMs = 100;
inline constexpr int kDarkTickMs = 250;
// How often a platform that must be asked is asked.
inline constexpr int kPowerProbeMs = 1000;

struct DisplayPower {
  bool dark = false;
  int sinceProbeMs = 0;  // animation time since the screen was last asked
};

// The displays went dark (lit false) or lit up again. Only a change acts,
// and only in a running saver.
void DisplayPowerChanged(Program& program, bool lit);

// A tick's period has passed: asks the screen when a probe is due.
void ProbeDisplayPower(Program& program);

}  // namespace quimbel::app
