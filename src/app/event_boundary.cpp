#include "app/event_boundary.hpp"

#include <new>
#include <stdexcept>
#include <utility>

#include "sound/music.hpp"

namespace quimbel::app {

std::string UntrappedErrorText(const base::RuntimeError& error) {
  return "実行時エラー '" + std::to_string(error.Number()) + "':\r\n\r\n" + error.Description() +
         "\r\n\r\n(" + error.Source() + ")";
}

base::RuntimeError AsRuntimeError(std::exception_ptr error) {
  try {
    std::rethrow_exception(std::move(error));
  } catch (const base::RuntimeError& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return base::RuntimeError::OutOfMemory();
  } catch (const std::length_error&) {
    // A container asked for more than the address space can hold: a
    // screen-sized surface of a vast desktop in a 32-bit process.
    return base::RuntimeError::OutOfMemory();
  } catch (const std::exception& e) {
    return base::RuntimeError::Internal(e.what());
  } catch (...) {
    return base::RuntimeError::Internal({});
  }
}

void EndWithReport(Program& program) noexcept {
  try {
    base::RuntimeError error = AsRuntimeError(std::current_exception());
    // The report ends the process, so it never stacks on another: it shows
    // even while a box is open.
    program.platform.process.ReportUntrappedError(UntrappedErrorText(error), error.Source());
  } catch (...) {
    // Too little memory left even for the report: end all the same.
  }
  program.End(1);
}

platform::Handler Guarded(Program& program, std::function<void()> handler) {
  // Ports call a copy of the stored handler, so this one outlives the call
  // even when the handler discards the window that stored it.
  return [&program, handler = std::move(handler)] { HandleEvent(program, handler); };
}

void EndRun(Program& program) {
  sound::PlayMusic(program, sound::MusicStop);
  program.End(0);
}

void RequestEnd(Program& program) noexcept {
  HandleEvent(program, [&program] { EndRun(program); });
}

}  // namespace quimbel::app
