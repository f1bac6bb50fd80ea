#include "ports/linux/sound/sound_service.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
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
  AwaitClosed();
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

TuneKind TuneKindOf(std::string_view path) {
  std::size_t name = path.find_last_of("/\\");
  name = name == std::string_view::npos ? 0 : name + 1;
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < name)
    return TuneKind::Unknown;
  std::string extension(path.substr(dot + 1));
  for (char& c : extension)
    c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (extension == "mid" || extension == "midi" || extension == "rmi" || extension == "kar")
    return TuneKind::Midi;
  if (extension == "wav")
    return TuneKind::Wave;
  return TuneKind::Unknown;
}

std::string SoundErrorText(std::uint32_t code) {
  switch (code) {
    case kSoundUnrecognizedKeyword:
      return "The command holds a keyword the device does not know.";
    case kSoundUnrecognizedCommand:
      return "The command is not known.";
    case kSoundHardware:
      return "The sound output cannot be used.";
    case kSoundInvalidDeviceName:
      return "No device of that name is open.";
    case kSoundMissingCommandString:
      return "The command is empty.";
    case kSoundMissingStringArgument:
      return "A keyword lacks its value.";
    case kSoundMissingParameter:
      return "The command lacks a required keyword.";
    case kSoundUnsupportedFunction:
      return "The device cannot do that.";
    case kSoundFileNotFound:
      return "The file cannot be found.";
    case kSoundExtensionNotFound:
      return "No device plays files of this kind.";
    case kSoundFlagsNotCompatible:
      return "The keywords cannot be used together.";
    case kSoundDuplicateAlias:
      return "A device is already open under that alias.";
    case kSoundMissingDeviceName:
      return "The command names no device.";
    case kSoundNoClosingQuote:
      return "A quotation mark is not closed.";
    case kSoundDuplicateFlags:
      return "A keyword is given twice.";
    case kSoundInvalidFile:
      return "The file cannot be played.";
    default:
      return "The sound device reported error " + std::to_string(code) + ".";
  }
}

std::uint32_t SdlSoundService::Run(std::string_view text, std::string& answer) {
  ports::ParsedSoundCommand parsed = ports::ReadSoundCommand(text);
  if (parsed.error)
    return parsed.error;
  const ports::SoundCommand& cmd = parsed.command;
  if (cmd.verb == ports::SoundVerb::Open)
    return Open(cmd);
  auto it = devices_.find(cmd.alias);
  if (it == devices_.end())
    return kSoundInvalidDeviceName;
  Device& device = it->second;
  Refresh(device);
  switch (cmd.verb) {
    case ports::SoundVerb::Play:
      return Play(device);
    case ports::SoundVerb::Stop:
      if (device.playing && onOutput_ == &device)
        Mix_PauseMusic();  // keeps the place, as a stop does
      device.playing = false;
      return kSoundOk;
    case ports::SoundVerb::Seek:
      Halt(device);
      device.atEnd = false;
      return kSoundOk;
    case ports::SoundVerb::Close:
      Close(it);
      return kSoundOk;
    case ports::SoundVerb::Status:
      return Status(device, cmd.item, answer);
    case ports::SoundVerb::Open:
      break;
  }
  return kSoundUnrecognizedCommand;
}

std::uint32_t SdlSoundService::Status(const Device& device, ports::StatusItem item,
                                      std::string& answer) const {
  if (item == ports::StatusItem::Mode) {
    answer = device.playing ? "playing" : "stopped";
    return kSoundOk;
  }
  if (!device.lengthSeconds)
    return kSoundUnsupportedFunction;
  const double length = *device.lengthSeconds;
  double at = length;
  if (item == ports::StatusItem::Position && !device.atEnd)
    at = onOutput_ == &device ? std::min(PlayedSeconds(), length) : 0;
  answer = std::to_string(std::llround(at * 1000));
  return kSoundOk;
}

std::uint32_t SdlSoundService::Open(const ports::SoundCommand& cmd) {
  if (devices_.contains(cmd.alias))
    return kSoundDuplicateAlias;
  TuneKind kind = TuneKindOf(cmd.path);
  if (kind == TuneKind::Unknown)
    return kSoundExtensionNotFound;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(cmd.path, ec))
    return kSoundFileNotFound;
  if (!OpenOutput())
    return kSoundHardware;
  Mix_Music* music = Mix_LoadMUS(cmd.path.c_str());
  if (music == nullptr) {
    if (devices_.empty())
      CloseOutput();
    return kSoundInvalidFile;
  }
  std::optional<double> length;
  if (kind == TuneKind::Midi) {
    // The synthesizer rings on after the last note: the tune must know where
    // it ends.
    length = MidiFileLength(cmd.path);
    if (!length) {
      Mix_FreeMusic(music);
      if (devices_.empty())
        CloseOutput();
      return kSoundInvalidFile;
    }
  } else if (double seconds = Mix_MusicDuration(music); seconds > 0) {
    length = seconds;
  }
  Device& device = devices_[cmd.alias];
  device.music = music;
  device.lengthSeconds = length;
  return kSoundOk;
}

std::uint32_t SdlSoundService::Play(Device& device) {
  if (device.playing)
    return kSoundOk;
  if (onOutput_ == &device && !device.atEnd) {
    Mix_ResumeMusic();
    device.playing = true;
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
  device.playing = true;
  return kSoundOk;
}

void SdlSoundService::Halt(Device& device) {
  if (onOutput_ == &device) {
    Mix_HaltMusic();
    onOutput_ = nullptr;
  }
  device.playing = false;
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
  if (onOutput_ != &device || !device.playing)
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
  AwaitClosed();
  QuietAlsaLibrary();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, kMixerChunkFrames) != 0) {
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
  outputOpen_ = false;
  // SDL lets what it has mixed play out before the device closes: two
  // chunks and the one under way, about a second. The program has nothing
  // more to say to the output, so it goes on (the saver's window goes, the
  // dark run sleeps) while that plays out beside it; only the next open, or
  // the service's end, waits for it.
  closing_ = std::thread([] {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  });
}

void SdlSoundService::AwaitClosed() {
  if (closing_.joinable())
    closing_.join();
}

// Runs on the audio thread with the mixer locked, right after each chunk.
void SdlSoundService::CountFrames(void* self, std::uint8_t*, int length) {
  auto* service = static_cast<SdlSoundService*>(self);
  if (Mix_PlayingMusic() && !Mix_PausedMusic())
    service->playedFrames_ += static_cast<std::uint64_t>(length / service->frameBytes_);
}

}  // namespace quimbel::linux_port
