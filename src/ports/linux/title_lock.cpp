#include "ports/linux/title_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace quimbel::linux_port {
namespace {

// Letters and digits as they are, every other byte as %XX: a file name for
// any title, Japanese ones included, that no two titles share.
std::string FileNamePart(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace

std::filesystem::path TitleLockFile(std::string_view title, std::string_view session) {
  std::string name = "quimbel-window-" + FileNamePart(session) + "-" + FileNamePart(title);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/')
    return std::filesystem::path(runtime) / name;
  return std::filesystem::temp_directory_path() / (std::to_string(::getuid()) + "-" + name);
}

bool TitleLockHeld(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0)
    return false;
  bool held = false;
  // A holder's shared lock refuses this exclusive one; without holders it
  // is had and given back at once.
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) {
      held = errno == EWOULDBLOCK;
      break;
    }
  }
  ::close(fd);
  return held;
}

TitleLock::TitleLock(const std::filesystem::path& file) {
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0)
    return;
  // Blocking: a lookup holds its exclusive lock only for a moment.
  int result;
  do {
    result = ::flock(fd_, LOCK_SH);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

TitleLock::~TitleLock() {
  if (fd_ >= 0)
    ::close(fd_);
}

}  // namespace quimbel::linux_port
