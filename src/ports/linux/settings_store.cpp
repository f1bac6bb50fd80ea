#include "ports/linux/settings_store.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/runtime_error.hpp"

namespace quimbel::linux_port {
namespace {

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
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

// Writes the text to a temporary file beside the target, flushes it to disk
// and renames it over the target: a crash leaves the old or the new file.
void WriteAtomically(const std::filesystem::path& file, const std::string& text) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::string tmp = file.string() + ".tmp." + std::to_string(getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0)
    Fail(tmp);
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
    ::unlink(tmp.c_str());
    Fail(file.string());
  }
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
  std::vector<std::string> lines = ReadLines(FileFor(application));
  int sectionEnd = -1;
  int at = FindKey(lines, section, key, &sectionEnd);
  if (at < 0)
    return std::nullopt;
  return lines[at].substr(lines[at].find('=') + 1);
}

void FileStore::Write(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      key.find('=') != std::string_view::npos) {
    errno = EINVAL;
    Fail(std::string(key));
  }
  std::filesystem::path file = FileFor(application);
  std::vector<std::string> lines = ReadLines(file);
  int sectionEnd = -1;
  int at = FindKey(lines, section, key, &sectionEnd);
  std::string entry = std::string(key) + "=" + std::string(value);
  if (at >= 0) {
    lines[at] = entry;
  } else if (sectionEnd >= 0) {
    lines.insert(lines.begin() + sectionEnd, entry);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  }
  std::ostringstream text;
  for (const std::string& line : lines)
    text << line << '\n';
  WriteAtomically(file, text.str());
}

}  // namespace quimbel::linux_port
