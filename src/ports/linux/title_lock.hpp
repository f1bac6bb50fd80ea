#pragma once
// Window titles that other programs of the same user can look up where no
// window system answers the lookup: a Wayland compositor lets no client see
// another's windows, so a native Wayland window holds a file lock named for
// its title and its session, and the lookup tries that lock. The kernel
// gives a lock back when its process ends however it ends, so a killed
// program never looks open.
#include <filesystem>
#include <string_view>

namespace quimbel::linux_port {

// The lock file for windows titled title in the Wayland session session (the
// value of WAYLAND_DISPLAY): in $XDG_RUNTIME_DIR, else the temporary
// directory with the user's id in the name.
std::filesystem::path TitleLockFile(std::string_view title, std::string_view session);

// True while a TitleLock on file is held, by any process.
bool TitleLockHeld(const std::filesystem::path& file);

// Holds the lock on file (shared: several windows may bear one title) from
// construction to destruction. A file that cannot be had holds nothing.
class TitleLock {
 public:
  explicit TitleLock(const std::filesystem::path& file);
  ~TitleLock();
  TitleLock(const TitleLock&) = delete;
  TitleLock& operator=(const TitleLock&) = delete;

  bool Holding() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace quimbel::linux_port
