#include "ports/linux/settings_store.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/runtime_error.hpp"

namespace quimbel::linux_port {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The file's lines without line ends; a leading UTF-8 byte-order mark, as
// some editors write, is set aside so that the first header still reads.
struct IniText {
  bool byteOrderMark = false;
  std::vector<std::string> lines;
};

IniText ReadLines(const std::filesystem::path& file) {
  IniText text;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    // Every carriage return at the end goes, not just one: the line is
    // written back with a bare line feed, and must read the same then
    // ("[x]\r\r" would otherwise turn into a section header on the next read).
    while (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (text.lines.empty() && line.starts_with(kByteOrderMark)) {
      text.byteOrderMark = true;
      line.erase(0, kByteOrderMark.size());
    }
    text.lines.push_back(line);
  }
  return text;
}

bool IsSectionHeader(const std::string& line, std::string_view* name) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']')
    return false;
  *name = std::string_view(line).substr(1, line.size() - 2);
  return true;
}

// The line index of key inside section, or -1; sectionEnd gets the index just
// past the section's last line (-1 when the section is absent).
int FindKey(const std::vector<std::string>& lines, std::string_view section, std::string_view key,
            int* sectionEnd) {
  bool inside = false;
  *sectionEnd = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    std::string_view name;
    if (IsSectionHeader(lines[i], &name)) {
      inside = name == section;
      if (inside)
        *sectionEnd = i + 1;
      continue;
    }
    if (!inside)
      continue;
    *sectionEnd = i + 1;
    std::size_t eq = lines[i].find('=');
    if (eq != std::string::npos && std::string_view(lines[i]).substr(0, eq) == key)
      return i;
  }
  return -1;
}

[[noreturn]] void Fail(const std::string& what) {
  throw base::RuntimeError::StoreFailure(what + ": " + std::strerror(errno));
}

// The file a save must replace: the end of a chain of symbolic links (a
// dotfiles manager's link stays a link), or the path itself.
std::filesystem::path ReplaceTarget(std::filesystem::path file) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, ec); ++hops) {
    std::filesystem::path next = std::filesystem::read_symlink(file, ec);
    if (ec)
      break;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return file;
}

// Holds an exclusive lock on a directory while one save reads, changes and
// replaces a file in it, so that saves never interleave and the temporary
// file can have one fixed name: a save killed before its rename leaves that
// one file behind, and the next save reuses it.
class DirectoryLock {
 public:
  explicit DirectoryLock(const std::filesystem::path& directory)
      : fd_(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0)
      Fail(directory.string());
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(fd_);
        Fail(directory.string());
      }
    }
  }
  ~DirectoryLock() { ::close(fd_); }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

// Earlier saves named their temporary files after the saving process; remove
// those whose process is gone.
void RemoveOrphanedTemporaries(const std::filesystem::path& file) {
  std::string prefix = file.filename().string() + ".tmp.";
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), ec)) {
    std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix) || name.size() == prefix.size())
      continue;
    std::string_view digits = std::string_view(name).substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string_view::npos || digits.size() > 9)
      continue;
    pid_t pid = static_cast<pid_t>(std::stol(std::string(digits)));
    if (::kill(pid, 0) != 0 && errno == ESRCH)
      std::filesystem::remove(entry.path(), ec);
  }
}

// Writes the text to the temporary file beside the target, flushes it to disk
// and renames it over the target: a crash leaves the old or the new file.
// The caller holds the directory's lock.
void WriteAtomically(const std::filesystem::path& file, const std::string& text, int directoryFd) {
  std::string tmp = file.string() + ".tmp";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    Fail(tmp);
  // A file the user opened up to others keeps its permissions.
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0)
    ::fchmod(fd, old.st_mode & 07777);
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ::close(fd);
      ::unlink(tmp.c_str());
      Fail(tmp);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(tmp.c_str());
    Fail(tmp);
  }
  if (::rename(tmp.c_str(), file.c_str()) != 0) {
    int saved = errno;
    ::unlink(tmp.c_str());
    errno = saved;
    Fail(file.string());
  }
  // The rename itself reaches the disk with the directory.
  ::fsync(directoryFd);
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

FileStore::FileStore(std::filesystem::path directory) : directory_(std::move(directory)) {}

std::filesystem::path FileStore::DefaultDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/')
    return std::filesystem::path(xdg) / "quimbel";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "quimbel";
}

std::filesystem::path FileStore::FileFor(std::string_view application) const {
  return directory_ / (std::string(application) + ".ini");
}

std::optional<std::string> FileStore::Read(std::string_view application, std::string_view section,
                                           std::string_view key) {
  std::vector<std::string> lines = ReadLines(FileFor(application)).lines;
  int sectionEnd = -1;
  int at = FindKey(lines, section, key, &sectionEnd);
  if (at < 0)
    return std::nullopt;
  return lines[at].substr(lines[at].find('=') + 1);
}

void FileStore::Write(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view value) {
  const platform::SettingValue one[] = {{key, value}};
  WriteAll(application, section, one);
}

void FileStore::WriteAll(std::string_view application, std::string_view section,
                         std::span<const platform::SettingValue> values) {
  for (const platform::SettingValue& v : values) {
    if (HasLineBreak(section) || HasLineBreak(v.key) || HasLineBreak(v.value) ||
        v.key.find('=') != std::string_view::npos) {
      errno = EINVAL;
      Fail(std::string(v.key));
    }
  }
  std::filesystem::path file = ReplaceTarget(FileFor(application));
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  DirectoryLock lock(file.parent_path());
  RemoveOrphanedTemporaries(file);
  IniText ini = ReadLines(file);
  std::vector<std::string>& lines = ini.lines;
  for (const platform::SettingValue& v : values) {
    int sectionEnd = -1;
    int at = FindKey(lines, section, v.key, &sectionEnd);
    std::string entry = std::string(v.key) + "=" + std::string(v.value);
    if (at >= 0) {
      lines[at] = entry;
    } else if (sectionEnd >= 0) {
      lines.insert(lines.begin() + sectionEnd, entry);
    } else {
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
  }
  std::ostringstream text;
  if (ini.byteOrderMark)
    text << kByteOrderMark;
  for (const std::string& line : lines)
    text << line << '\n';
  WriteAtomically(file, text.str(), lock.Fd());
}

}  // namespace quimbel::linux_port
