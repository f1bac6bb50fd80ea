#include "ports/linux/sound/music_gate.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

#include "ports/common/sound_command.hpp"

namespace quimbel::linux_port {

using namespace quimbel::platform;

MusicGate::MusicGate(SoundService& inner, const std::filesystem::path& lockFile, bool mayPlay)
    : inner_(inner) {
  if (!mayPlay)
    return;
  // No lock file to be had: stay silent rather than play twice.
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

MusicGate::~MusicGate() {
  if (fd_ >= 0)
    ::close(fd_);
}

bool MusicGate::TryLock() {
  if (!holding_ && fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0)
    holding_ = true;
  return holding_;
}

std::uint32_t MusicGate::Send(std::string_view command, std::string* reply,
                              std::size_t replyLength) {
  return Run(command, reply, replyLength);
}

std::string MusicGate::ErrorText(std::uint32_t code) {
  return inner_.ErrorText(code);
}

std::uint32_t MusicGate::Run(std::string_view command, std::string* reply,
                             std::size_t replyLength) {
  if (fd_ < 0)
    return kSoundInvalidDeviceName;
  ports::ParsedSoundCommand parsed = ports::ReadSoundCommand(command);
  if (parsed.error)
    return holding_ ? inner_.Send(command, reply, replyLength) : parsed.error;
  const ports::SoundCommand& cmd = parsed.command;
  using ports::SoundVerb;
  // The lock is taken for a tune, never for a command about no tune.
  bool forget = cmd.verb == SoundVerb::Close && waitingOpen_ && cmd.alias == waitingDevice_;
  bool wanted = holding_ || cmd.verb == SoundVerb::Open || (waitingOpen_ && !forget);
  if (wanted && TryLock()) {
    if (std::uint32_t code = CatchUp())
      return code;
    std::uint32_t code = inner_.Send(command, reply, replyLength);
    if (code == kSoundOk && cmd.verb == SoundVerb::Open)
      ++devicesOpen_;
    if (code == kSoundOk && cmd.verb == SoundVerb::Close)
      --devicesOpen_;
    // The next hack may play as soon as this one has closed its tune.
    if (devicesOpen_ <= 0) {
      devicesOpen_ = 0;
      ::flock(fd_, LOCK_UN);
      holding_ = false;
    }
    return code;
  }
  return Wait(command, reply, replyLength);
}

std::uint32_t MusicGate::CatchUp() {
  if (!waitingOpen_)
    return kSoundOk;
  std::string open = *waitingOpen_;
  std::optional<std::string> play = std::move(waitingPlay_);
  waitingOpen_.reset();
  waitingPlay_.reset();
  if (std::uint32_t code = inner_.Send(open, nullptr, 0))
    return code;
  ++devicesOpen_;
  if (play)
    inner_.Send(*play, nullptr, 0);
  return kSoundOk;
}

// While another hack plays, this one keeps the state its tune would have.
std::uint32_t MusicGate::Wait(std::string_view command, std::string* reply,
                              std::size_t replyLength) {
  const ports::SoundCommand cmd = ports::ReadSoundCommand(command).command;
  using ports::SoundVerb;
  if (cmd.verb == SoundVerb::Open) {
    if (waitingOpen_)
      return kSoundDuplicateAlias;
    waitingOpen_ = std::string(command);
    waitingDevice_ = cmd.alias;
    return kSoundOk;
  }
  if (!waitingOpen_ || cmd.alias != waitingDevice_)
    return kSoundInvalidDeviceName;
  switch (cmd.verb) {
    case SoundVerb::Play:
      waitingPlay_ = "play " + waitingDevice_;
      return kSoundOk;
    case SoundVerb::Stop:
      waitingPlay_.reset();
      return kSoundOk;
    case SoundVerb::Seek:
      return kSoundOk;
    case SoundVerb::Close:
      waitingOpen_.reset();
      waitingPlay_.reset();
      return kSoundOk;
    case SoundVerb::Status:
      return reply ? WriteSoundReply(*reply, replyLength, waitingPlay_ ? "playing" : "stopped")
                   : kSoundOk;
    case SoundVerb::Open:
      break;
  }
  return kSoundUnrecognizedCommand;
}

std::filesystem::path MusicGate::LockFileFor(const std::string& display) {
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
