#include "ports/linux/qt/process.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QApplication>

#include "platform/message_box.hpp"
#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt/message_box.hpp"
#include "ports/linux/title_lock.hpp"
#include "ports/linux/x11/x11_windows.hpp"

namespace quimbel::linux_port {

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string line;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (i > 1)
      line += ' ';
    line += args[i];
  }
  return line;
}

std::string LinuxProcess::CommandLine() {
  return JoinArguments(args_);
}

std::string LinuxProcess::ExecutableDirectory() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) {
    exe = std::filesystem::absolute(args_.empty() ? std::string(".") : args_[0], ec);
  }
  return exe.parent_path().string();
}

bool LinuxProcess::TopLevelWindowExists(std::string_view title) {
  return X11TopLevelWindowExists(title) ||
         (!waylandSession_.empty() && TitleLockHeld(TitleLockFile(title, waylandSession_)));
}

void LinuxProcess::ProcessPendingMessages() {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::processEvents();
}

void LinuxProcess::EndProcess(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void LinuxProcess::ReportUntrappedError(const std::string& text, const std::string& caption) {
  std::string line = QtLineBreaks(text);
  for (std::size_t i = 0; (i = line.find("\n\n", i)) != std::string::npos;)
    line.erase(i, 1);
  std::fprintf(stderr, "quimbel: %s\n", line.c_str());
  std::fflush(stderr);
  // With a display the user sees it too: a program started by a host has no
  // terminal to show stderr.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QMessageBox* box = BuildMessageBox(text, caption, platform::kMbOk | platform::kMbIconCritical);
    if (onBoxOpen)
      onBoxOpen(true);
    box->exec();
    delete box;
  }
}

}  // namespace quimbel::linux_port
