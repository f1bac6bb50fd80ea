#pragma once
// The seam: the process the program runs in.
#include <string>
#include <string_view>

namespace quimbel::platform {

class Process {
 public:
  virtual ~Process() = default;

  // The argument text that follows the program name, as the host passed it (UTF-8).
  virtual std::string CommandLine() = 0;
  // The directory that holds the executable (UTF-8), with or without a final separator.
  virtual std::string ExecutableDirectory() = 0;
  // The separator the platform's paths use ('\\' on Windows, '/' elsewhere).
  virtual char PathSeparator() const = 0;
  // True when a top-level window with exactly this title is open (any process).
  virtual bool TopLevelWindowExists(std::string_view title) = 0;
  // Handles the window messages that are pending, once, and returns.
  virtual void ProcessPendingMessages() = 0;
  // Ends the process at once: nothing more is drawn or played. A port that
  // cannot stop the caller (the headless one) records it; the caller returns
  // right after, and events arriving later are ignored by the core.
  virtual void EndProcess(int exitCode) = 0;
  // Shows the report of an error nothing trapped, as the core worded it
  // (lines separated by CR LF), where the user sees it even with no window of
  // the program open: a message box with the stop-sign icon, or the
  // platform's equivalent. The caller ends the process after it returns.
  virtual void ReportUntrappedError(const std::string& text, const std::string& caption) = 0;
};

}  // namespace quimbel::platform
