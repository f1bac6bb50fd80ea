#pragma once
// Hosting on Linux: the window a screen-saver daemon (xscreensaver) handed
// the program, as main found it from the daemon's arguments, and the
// display's tune lock, a file lock that the kernel gives back when the
// process ends, however it ends.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/hosting.hpp"

namespace quimbel::linux_port {

class DaemonHosting : public platform::Hosting {
 public:
  // host: nothing for a run of the program's own command line. lockFile: the
  // display's lock (LockFileFor), opened when first taken.
  DaemonHosting(std::optional<platform::HostWindow> host, std::filesystem::path lockFile)
      : host_(std::move(host)), lockFile_(std::move(lockFile)) {}
  ~DaemonHosting() override;
  DaemonHosting(const DaemonHosting&) = delete;
  DaemonHosting& operator=(const DaemonHosting&) = delete;

  std::optional<platform::HostWindow> HostedIn() override { return host_; }
  bool TakeTuneLock() override;
  void GiveTuneLock() override;

  // The lock file for a display name such as ":0" or "host:1.0" (the screen
  // number does not count), in $XDG_RUNTIME_DIR, else the temporary directory.
  static std::filesystem::path LockFileFor(const std::string& display);

 private:
  std::optional<platform::HostWindow> host_;
  std::filesystem::path lockFile_;
  int fd_ = -1;
  bool unavailable_ = false;  // the file cannot be had: never play rather than twice
  bool holding_ = false;
};

}  // namespace quimbel::linux_port
