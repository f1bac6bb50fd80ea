#include "ports/linux/sound/sound_service.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "ports/linux/sound/alsa_quiet.hpp"
#include "ports/linux/sound/midi_length.hpp"

namespace quimbel::linux_port {
namespace {

using namespace quimbel::platform;

constexpr std::uintmax_t kLargestMidiFile = 16 << 20;

std::optional<double> MidiFileLength(const std::string& path) {
  std::error_code ec;
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kLargestMidiFile)
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
  return MidiLengthSeconds(data);
}

}  // namespace

SdlSoundService::SdlSoundService() = default;

SdlSoundService::~SdlSoundService() {
  while (!devices_.empty())
    Close(devices_.begin());
  CloseOutput();
}

std::uint32_t SdlSoundService::Send(std::string_view command, std::string* reply,
                                    std::size_t replyLength) {
  std::string answer;
  if (std::uint32_t code = Run(command, answer))
    return code;
  if (reply == nullptr)
    return kSoundOk;
  return WriteSoundReply(*reply, replyLength, answer);
}

std::string SdlSoundService::ErrorText(std::uint32_t code) {
  return SoundErrorText(code);
}

std::uint32_t SdlSoundService::Run(std::string_view text, std::string& answer) {
  ParsedSoundCommand parsed = ParseSoundCommand(text);
  if (parsed.error)
    return parsed.error;
  const SoundCommand& cmd = parsed.command;
  if (cmd.verb == SoundVerb::Open)
    return Open(cmd);
  auto it = devices_.find(cmd.device);
  if (it == devices_.end())
    return kSoundInvalidDeviceName;
  Device& device = it->second;
  Refresh(device);
  switch (cmd.verb) {
    case SoundVerb::Play:
      // Waiting would hold the whole program until the tune ends.
      if (cmd.wait)
        return kSoundUnsupportedFunction;
      return Play(device);
    case SoundVerb::Stop:
      if (device.mode != Mode::Stopped && onOutput_ == &device)
        Mix_PauseMusic();  // keeps the place, as a stop does
      device.mode = Mode::Stopped;
      return kSoundOk;
    case SoundVerb::Pause:
      if (device.mode == Mode::Playing) {
        Mix_PauseMusic();
        device.mode = Mode::Paused;
      }
      return kSoundOk;
    case SoundVerb::Resume:
      if (device.mode == Mode::Paused) {
        Mix_ResumeMusic();
        device.mode = Mode::Playing;
      }
      return kSoundOk;
    case SoundVerb::Seek:
      Halt(device);
      device.atStart = cmd.seek == SeekTarget::Start;
      device.atEnd = cmd.seek == SeekTarget::End;
      return kSoundOk;
    case SoundVerb::Close:
      Close(it);
      return kSoundOk;
    case SoundVerb::Status:
      switch (cmd.item) {
        case StatusItem::Mode:
          answer = device.mode == Mode::Playing  ? "playing"
                   : device.mode == Mode::Paused ? "paused"
                                                 : "stopped";
          return kSoundOk;
        case StatusItem::Ready:
          answer = "true";
          return kSoundOk;
        case StatusItem::Length:
        case StatusItem::Position: {
          if (!device.lengthSeconds)
            return kSoundUnsupportedFunction;
          double seconds = *device.lengthSeconds;
          if (cmd.item == StatusItem::Position && !device.atEnd)
            seconds = onOutput_ == &device ? std::min(PlayedSeconds(), seconds) : 0.0;
          answer = std::to_string(std::llround(seconds * 1000));
          return kSoundOk;
        }
        case StatusItem::None:
          break;
      }
      return kSoundMissingParameter;
    case SoundVerb::Open:
      break;
  }
  return kSoundUnrecognizedCommand;
}

std::uint32_t SdlSoundService::Open(const SoundCommand& cmd) {
  if (devices_.contains(cmd.device))
    return kSoundDuplicateAlias;
  DeviceType type = DeviceTypeFor(cmd);
  if (type == DeviceType::Unknown)
    return cmd.type.empty() ? kSoundExtensionNotFound : kSoundInvalidDeviceName;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(cmd.element, ec))
    return kSoundFileNotFound;
  if (!OpenOutput())
    return kSoundHardware;
  Mix_Music* music = Mix_LoadMUS(cmd.element.c_str());
  if (music == nullptr) {
    if (devices_.empty())
      CloseOutput();
    return kSoundInvalidFile;
  }
  std::optional<double> length;
  if (type == DeviceType::Sequencer) {
    // A sequencer plays MIDI files only, and must know where each one ends.
    length = MidiFileLength(cmd.element);
    if (!length) {
      Mix_FreeMusic(music);
      if (devices_.empty())
        CloseOutput();
      return kSoundInvalidFile;
    }
  } else if (double seconds = Mix_MusicDuration(music); seconds > 0) {
    length = seconds;
  }
  Device& device = devices_[cmd.device];
  device.music = music;
  device.lengthSeconds = length;
  return kSoundOk;
}

std::uint32_t SdlSoundService::Play(Device& device) {
  if (device.mode == Mode::Playing)
    return kSoundOk;
  if (device.mode == Mode::Paused || (onOutput_ == &device && !device.atEnd)) {
    Mix_ResumeMusic();
    device.mode = Mode::Playing;
    return kSoundOk;
  }
  if (device.atEnd)
    return kSoundOk;  // nothing is left to play from the end
  if (onOutput_ != nullptr)
    Halt(*onOutput_);  // the mixer holds one tune at a time
  playedFrames_ = 0;
  if (Mix_PlayMusic(device.music, 0) != 0)
    return kSoundHardware;
  onOutput_ = &device;
  device.mode = Mode::Playing;
  device.atStart = false;
  return kSoundOk;
}

void SdlSoundService::Halt(Device& device) {
  if (onOutput_ == &device) {
    Mix_HaltMusic();
    onOutput_ = nullptr;
  }
  device.mode = Mode::Stopped;
}

void SdlSoundService::Close(std::map<std::string, Device>::iterator it) {
  Halt(it->second);
  Mix_FreeMusic(it->second.music);
  devices_.erase(it);
  // Give the sound card back as soon as nothing needs it.
  if (devices_.empty())
    CloseOutput();
}

void SdlSoundService::Refresh(Device& device) {
  if (onOutput_ != &device || device.mode != Mode::Playing)
    return;
  // The synthesizer rings on after the last MIDI event: the tune's own
  // length says when it is over, so that a loop restarts without a pause.
  bool over =
      !Mix_PlayingMusic() || (device.lengthSeconds && PlayedSeconds() >= *device.lengthSeconds);
  if (!over)
    return;
  Halt(device);
  device.atEnd = true;
}

double SdlSoundService::PlayedSeconds() const {
  return static_cast<double>(playedFrames_.load()) / frequency_;
}

bool SdlSoundService::OpenOutput() {
  if (outputOpen_)
    return true;
  QuietAlsaLibrary();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0 && frequency > 0 && channels > 0) {
    frequency_ = frequency;
    frameBytes_ = channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
  }
  Mix_SetPostMix(CountFrames, this);
  outputOpen_ = true;
  return true;
}

void SdlSoundService::CloseOutput() {
  if (!outputOpen_)
    return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  outputOpen_ = false;
}

// Runs on the audio thread with the mixer locked, right after each chunk.
void SdlSoundService::CountFrames(void* self, std::uint8_t*, int length) {
  auto* service = static_cast<SdlSoundService*>(self);
  if (Mix_PlayingMusic() && !Mix_PausedMusic())
    service->playedFrames_ += static_cast<std::uint64_t>(length / service->frameBytes_);
}

}  // namespace quimbel::linux_port
