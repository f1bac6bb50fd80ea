#pragma once
// The saver run's start: the full-screen window, its surfaces and the first frame.
namespace quimbel::app {

class Program;

// Creates the saver window and lays it over the screen, samples the cursor
// and caret, sets the scene up with the first frame shown and makes the
// window topmost. Returns at once; the window's events drive the run. Errors
// are not trapped here.
void StartSaver(app::Program& program);

}  // namespace quimbel::app
