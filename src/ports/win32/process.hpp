#pragma once
// Win32 process: the command line after the program name, the module's
// directory, top-level windows by title, the message pump and the process end.
#include <string>
#include <string_view>

#include "platform/process.hpp"

namespace quimbel::win32_port {

class Win32Process : public platform::Process {
 public:
  std::string CommandLine() override;
  std::string ExecutableDirectory() override;
  char PathSeparator() const override { return '\\'; }
  bool TopLevelWindowExists(std::string_view title) override;
  void ProcessPendingMessages() override;
  void EndProcess(int exitCode) override;
  void ReportUntrappedError(const std::string& text, const std::string& caption) override;
};

// The part of a full command line that follows the program name, exactly as
// the C runtime hands it to WinMain (quoted names may hold blanks; the blanks
// after the name are not part of the arguments).
std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine);

// The directory part of a module path: everything before the last separator,
// keeping the separator of a drive's root ("C:\").
std::wstring DirectoryOf(std::wstring_view modulePath);

}  // namespace quimbel::win32_port
