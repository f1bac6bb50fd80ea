#pragma once
// The running saver: the animation tick with its input test and the end of
// the run, and the saver window's event handlers.
#include <cstdint>
#include <memory>
#include <string>

#include "base/runtime_error.hpp"
#include "platform/saver_window.hpp"
#include "platform/screen.hpp"

namespace quimbel::app {

class Program;

// Places free characters, composes and shows a frame, then ends the run if
// the caret or cursor left its start position or forceExit is 1. A run-time
// error in any of it is shown in the error box and the run goes on. While
// that box is open, or once the run has ended, it does nothing.
void AnimationTick(app::Program& program, std::int16_t forceExit);

// Where the platform cannot poll the pointer, its motion over the saver
// window: the first position becomes the start, and one a pixel away from it
// ends the run, as a tick's sample would (not while a box is open). Where it
// can poll, the tick's sample decides and this does nothing.
void PointerMoved(app::Program& program, platform::Point32 at);

// The error box's text for an error trapped in a tick.
std::string TickErrorText(const base::RuntimeError& error);

// The handlers behind the saver window's timers, click and key.
std::unique_ptr<platform::SaverEvents> MakeSaverEvents(app::Program& program);

}  // namespace quimbel::app
