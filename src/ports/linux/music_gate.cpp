#include "ports/linux/music_gate.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace quimbel::linux_port {
namespace {

// The answer of a device that is not open.
constexpr std::uint32_t kNotOpen = 263;

}  // namespace

MusicGate::MusicGate(platform::SoundService& inner, const std::filesystem::path& lockFile)
    : inner_(inner) {
  int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    return;  // no lock to be had: stay silent rather than play twice
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

MusicGate::~MusicGate() {
  if (fd_ >= 0)
    ::close(fd_);
}

std::uint32_t MusicGate::Send(std::string_view command, std::string* reply,
                              std::size_t replyLength) {
  if (fd_ < 0)
    return kNotOpen;
  return inner_.Send(command, reply, replyLength);
}

bool MusicGate::Execute(std::string_view command) {
  if (fd_ < 0)
    return false;
  return inner_.Execute(command);
}

std::filesystem::path MusicGate::LockFileFor(const std::string& display) {
  std::string name = "quimbel-music-";
  for (char c : display)
    name += (c == '/' || c == ':' || c == '.') ? '_' : c;
  name += ".lock";
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/')
    return std::filesystem::path(runtime) / name;
  return std::filesystem::temp_directory_path() / (std::to_string(::getuid()) + "-" + name);
}

}  // namespace quimbel::linux_port
