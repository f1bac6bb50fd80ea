#pragma once
// Linux process: argv as the command line, /proc/self/exe for the directory,
// X11 top-level window titles for the single-instance test.
#include <string>
#include <vector>

#include "platform/process.hpp"

namespace quimbel::linux_port {

class LinuxProcess : public platform::Process {
 public:
  explicit LinuxProcess(std::vector<std::string> args) : args_(std::move(args)) {}

  std::string CommandLine() override;
  std::string ExecutableDirectory() override;
  char PathSeparator() const override { return '/'; }
  bool TopLevelWindowExists(std::string_view title) override;
  void ProcessPendingMessages() override;
  void EndProcess(int exitCode) override;
  // On standard error, and in a box when the program has a display.
  void ReportUntrappedError(const std::string& text, const std::string& caption) override;

 private:
  std::vector<std::string> args_;
};

// Joins the arguments after the program name with single blanks, the way a
// host's command line reads.
std::string JoinArguments(const std::vector<std::string>& args);

}  // namespace quimbel::linux_port
