#pragma once
// Headless process: a scripted command line and directory, a set of open
// window titles, and a record of how the process ended.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/process.hpp"

namespace quimbel::headless {

class HeadlessProcess : public platform::Process {
 public:
  std::string commandLine;
  std::string executableDirectory = "C:\\Program Files\\quimbel";
  char separator = '\\';
  std::multiset<std::string> openTitles;  // windows of this and other processes
  std::vector<std::string> lookups;       // every title looked up, in order
  int pendingMessagePasses = 0;
  std::optional<int> exitCode;  // set when EndProcess was called
  struct Report {
    std::string text;
    std::string caption;
  };
  std::vector<Report> reports;  // every untrapped-error report, in order

  std::string CommandLine() override { return commandLine; }
  std::string ExecutableDirectory() override { return executableDirectory; }
  char PathSeparator() const override { return separator; }
  bool TopLevelWindowExists(std::string_view title) override;
  void ProcessPendingMessages() override { ++pendingMessagePasses; }
  void EndProcess(int code) override;
  void ReportUntrappedError(const std::string& text, const std::string& caption) override {
    reports.push_back({text, caption});
  }

  bool Ended() const { return exitCode.has_value(); }
};

}  // namespace quimbel::headless
