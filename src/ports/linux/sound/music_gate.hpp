#pragma once
// One tune per display: a screen-saver daemon starts one hack per monitor,
// and only one of them may play. A hack that finds the display's music lock
// taken waits for it: its tune counts as playing, silently, and starts for
// real as soon as the lock comes free (the daemon's cycle starts the next
// hack while the last one is still ending). A hack that must not play at all
// (a settings program's small preview) gets a service whose every command
// fails, so its music never opens.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/sound_service.hpp"

namespace quimbel::linux_port {

class MusicGate : public platform::SoundService {
 public:
  // lockFile: the display's music lock, a file lock taken when the tune opens
  // and given back when it closes or the process ends, however it ends.
  // mayPlay false: silent.
  MusicGate(platform::SoundService& inner, const std::filesystem::path& lockFile,
            bool mayPlay = true);
  ~MusicGate() override;
  MusicGate(const MusicGate&) = delete;
  MusicGate& operator=(const MusicGate&) = delete;

  bool Holder() const { return holding_; }

  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  std::string ErrorText(std::uint32_t code) override;

  // The lock file for a display name such as ":0" or "host:1.0" (the screen
  // number does not count), in $XDG_RUNTIME_DIR, else the temporary directory.
  static std::filesystem::path LockFileFor(const std::string& display);

 private:
  std::uint32_t Run(std::string_view command, std::string* reply, std::size_t replyLength);
  std::uint32_t Wait(std::string_view command, std::string* reply, std::size_t replyLength);
  bool TryLock();
  // Opens (and starts) on the real device what was asked for while waiting.
  std::uint32_t CatchUp();

  platform::SoundService& inner_;
  int fd_ = -1;
  bool holding_ = false;
  int devicesOpen_ = 0;  // through the lock; at none it is given back
  // The open command (and the play) asked for while another hack played.
  std::optional<std::string> waitingOpen_;
  std::string waitingDevice_;
  std::optional<std::string> waitingPlay_;
};

}  // namespace quimbel::linux_port
