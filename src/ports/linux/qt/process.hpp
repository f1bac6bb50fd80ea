#pragma once
// Linux process: argv as the command line, /proc/self/exe for the directory,
// X11 top-level window titles and, in a Wayland session, the title locks of
// native Wayland windows for the single-instance test.
#include <functional>
#include <string>
#include <vector>

#include "platform/process.hpp"

namespace quimbel::linux_port {

class LinuxProcess : public platform::Process {
 public:
  // waylandSession: the WAYLAND_DISPLAY whose windows are looked up by their
  // title locks besides X's titles (TitleLock), or empty.
  explicit LinuxProcess(std::vector<std::string> args, std::string waylandSession = {})
      : args_(std::move(args)), waylandSession_(std::move(waylandSession)) {}

  std::string CommandLine() override;
  std::string ExecutableDirectory() override;
  char PathSeparator() const override { return '/'; }
  bool TopLevelWindowExists(std::string_view title) override;
  void ProcessPendingMessages() override;
  void EndProcess(int exitCode) override;
  // On standard error, and in a box when the program has a display.
  void ReportUntrappedError(const std::string& text, const std::string& caption) override;
  // As QtMessageBoxes::onBoxOpen, for the report's box; told only true, as
  // the process ends once the report is answered.
  std::function<void(bool)> onBoxOpen;

 private:
  std::vector<std::string> args_;
  std::string waylandSession_;
};

// Joins the arguments after the program name with single blanks, the way a
// host's command line reads.
std::string JoinArguments(const std::vector<std::string>& args);

}  // namespace quimbel::linux_port
