#pragma once
// Where every event from a port enters the core: saver events, form events,
// timers, the start-up and the platform's request to end. It keeps the three
// rules that no port may decide for itself:
// - an error that nothing trapped is reported in the same words on every
//   platform, and the process ends with exit code 1;
// - once the process was told to end, no event acts any more;
// - no exception goes back into the port (a window procedure or toolkit
//   callback): the handlers the core gives a port never throw.
#include <exception>
#include <functional>
#include <string>

#include "base/runtime_error.hpp"
#include "platform/forms.hpp"

namespace quimbel::app {

class Program;

// The words of the untrapped-error report.
std::string UntrappedErrorText(const base::RuntimeError& error);

// The program's own error that stands for an exception the program did not
// raise itself (memory exhausted, a library's failure).
base::RuntimeError AsRuntimeError(std::exception_ptr error);

// Reports the exception in flight (call it inside a catch block) and ends the
// process with exit code 1.
void EndWithReport(Program& program) noexcept;

// Runs body as the core's handling of one event: nothing once the process
// was told to end; an exception that leaves body ends it with the report.
template <class Body>
void HandleEvent(Program& program, Body&& body) noexcept;

// A handler for a port that runs handler through HandleEvent. The handler
// may discard the window that holds the wrapper.
platform::Handler Guarded(Program& program, std::function<void()> handler);

// The end of the run as the platform asks for it (a signal, the host's
// window gone): the music stops, then the process ends with exit code 0.
void RequestEnd(Program& program) noexcept;

// The end of a run: the music stops, then the process ends with exit code 0.
void EndRun(Program& program);

}  // namespace quimbel::app

#include "app/program.hpp"

namespace quimbel::app {

template <class Body>
void HandleEvent(Program& program, Body&& body) noexcept {
  if (program.ended)
    return;
  try {
    body();
  } catch (...) {
    EndWithReport(program);
  }
}

}  // namespace quimbel::app
