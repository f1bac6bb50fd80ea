#pragma once
// The program's entry, called by every port's native main.
#include "app/program.hpp"

namespace quimbel::app {

// Refuses a second instance, fixes AppPath, loads the settings, reads the
// switch and hands over to exactly one run, then returns; the port's message
// loop keeps the process alive while a window is open. Errors are not trapped
// here: they reach the port's entry (see RunMain).
void Main(Program& program);

// What a port's native entry calls: Main through the event boundary, so that
// any exception at start-up (a screen-sized surface that cannot be had) ends
// with the untrapped-error report. Returns the exit code of the end, if the
// process was told to end, else 0.
int RunMain(Program& program);

}  // namespace quimbel::app
