#pragma once
// The sound service of this port: the command language of the seam over
// SDL2_mixer. WAV plays directly, MIDI through the mixer's synthesizer with
// the system's General MIDI soundfont. The sound output opens with the first
// device and closes with the last.
#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "platform/sound_service.hpp"
#include "ports/common/sound_command.hpp"

typedef struct _Mix_Music Mix_Music;

namespace quimbel::linux_port {

// What a tune file holds, by its extension: the mixer plays MIDI and WAV.
enum class TuneKind { Unknown, Midi, Wave };
TuneKind TuneKindOf(std::string_view path);

// The mixer's chunk in frames at 44.1 kHz: its audio thread wakes once a
// chunk (16384 frames, 0.37 s, under three times a second). What the mixer
// has mixed is heard a chunk at a time: a stop sounds until the chunk's end,
// and a tune's end is seen a chunk at a time, so a loop starts with the next
// chunk while a MIDI tune's last notes ring on (a wave tune is silent until
// then).
inline constexpr int kMixerChunkFrames = 16384;

// The words for a result code in the failure report.
std::string SoundErrorText(std::uint32_t code);

class SdlSoundService : public platform::SoundService {
 public:
  SdlSoundService();
  ~SdlSoundService() override;
  SdlSoundService(const SdlSoundService&) = delete;
  SdlSoundService& operator=(const SdlSoundService&) = delete;

  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  std::string ErrorText(std::uint32_t code) override;

 private:
  struct Device {
    Mix_Music* music = nullptr;
    std::optional<double> lengthSeconds;  // where the tune ends, when known
    bool playing = false;
    bool atEnd = false;
  };

  std::uint32_t Run(std::string_view command, std::string& answer);
  std::uint32_t Open(const ports::SoundCommand& cmd);
  // Mode, or length and position in whole milliseconds.
  std::uint32_t Status(const Device& device, ports::StatusItem item, std::string& answer) const;
  std::uint32_t Play(Device& device);
  void Halt(Device& device);
  void Close(std::map<std::string, Device>::iterator it);
  // Notices that the tune of the device on the output has come to its end.
  void Refresh(Device& device);
  double PlayedSeconds() const;
  bool OpenOutput();
  void CloseOutput();
  // Waits until an output let go of has closed.
  void AwaitClosed();
  static void CountFrames(void* self, std::uint8_t* stream, int length);

  std::map<std::string, Device> devices_;
  Device* onOutput_ = nullptr;  // the device whose tune the mixer holds
  bool outputOpen_ = false;
  int frameBytes_ = 4;
  int frequency_ = 44100;
  // Frames of the current tune mixed so far, counted on the audio thread.
  std::atomic<std::uint64_t> playedFrames_{0};
  // Closes the output beside the program (see CloseOutput).
  std::thread closing_;
};

}  // namespace quimbel::linux_port
