#pragma once
// One tune per display: a screen-saver daemon starts one hack per monitor,
// and only the first of them may play. The others get a sound service whose
// every command fails, so their music never opens (and they stay silent, as
// with a missing tune file).
#include <filesystem>
#include <string>

#include "platform/sound_service.hpp"

namespace quimbel::linux_port {

class MusicGate : public platform::SoundService {
 public:
  // Takes the display's music lock (a file lock, released when the process
  // ends, however it ends) if nobody holds it.
  MusicGate(platform::SoundService& inner, const std::filesystem::path& lockFile);
  ~MusicGate() override;
  MusicGate(const MusicGate&) = delete;
  MusicGate& operator=(const MusicGate&) = delete;

  bool Holder() const { return fd_ >= 0; }

  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  bool Execute(std::string_view command) override;

  // The lock file for a display name such as ":0" or "host:1.0", in
  // $XDG_RUNTIME_DIR, else the temporary directory.
  static std::filesystem::path LockFileFor(const std::string& display);

 private:
  platform::SoundService& inner_;
  int fd_ = -1;
};

}  // namespace quimbel::linux_port
