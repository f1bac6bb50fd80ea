#pragma once
// The program's entry, called by every port's native main.
#include "app/program.hpp"

namespace quimbel::app {

// Refuses a second instance, fixes AppPath, loads the settings, reads the
// switch and hands over to exactly one run, then returns; the port's message
// loop keeps the process alive while a window is open. Errors are not trapped
// here: they reach the port's entry (see RunMain).
void Main(Program& program);

// What a port's native entry calls: Main with the untrapped-error report.
// Returns the process exit code to use if Main fails (0 when it returned).
int RunMain(Program& program);

}  // namespace quimbel::app
