#include "ports/linux/hosting/hosting.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace quimbel::linux_port {

DaemonHosting::~DaemonHosting() {
  if (fd_ >= 0)
    ::close(fd_);
}

bool DaemonHosting::TakeTuneLock() {
  if (holding_)
    return true;
  if (fd_ < 0 && !unavailable_) {
    fd_ = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    unavailable_ = fd_ < 0;
  }
  holding_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  return holding_;
}

void DaemonHosting::GiveTuneLock() {
  if (holding_)
    ::flock(fd_, LOCK_UN);
  holding_ = false;
}

std::filesystem::path DaemonHosting::LockFileFor(const std::string& display) {
  // ":0" and ":0.0" are one display (the daemon hands its hacks the latter).
  std::string server = display;
  std::size_t colon = server.rfind(':');
  std::size_t dot = server.rfind('.');
  if (colon != std::string::npos && dot != std::string::npos && dot > colon)
    server.erase(dot);
  std::string name = "quimbel-music-";
  for (char c : server)
    name += (c == '/' || c == ':' || c == '.') ? '_' : c;
  name += ".lock";
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/')
    return std::filesystem::path(runtime) / name;
  return std::filesystem::temp_directory_path() / (std::to_string(::getuid()) + "-" + name);
}

}  // namespace quimbel::linux_port
