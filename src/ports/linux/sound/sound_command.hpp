#pragma once
// The command language of the sound service, read into a plain record. The
// verbs and keywords are the ones the Windows service knows, as far as this
// program and simple players use them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quimbel::linux_port {

enum class SoundVerb { Open, Play, Stop, Pause, Resume, Seek, Status, Close };
enum class StatusItem { None, Mode, Ready, Length, Position };
enum class SeekTarget { None, Start, End };
enum class DeviceType { Unknown, Sequencer, WaveAudio };

struct SoundCommand {
  SoundVerb verb = SoundVerb::Open;
  // The device the command is for, in lower case: the alias, or for open the
  // alias it will be known by (the file path when no alias is given).
  std::string device;
  std::string element;  // open: the file path, as written
  std::string type;     // open: the device type asked for, lower case; empty when none
  bool notify = false;
  bool wait = false;
  SeekTarget seek = SeekTarget::None;
  StatusItem item = StatusItem::None;
};

struct ParsedSoundCommand {
  std::uint32_t error = 0;  // a result code of the seam; 0 when command is valid
  SoundCommand command;
};

// Blank-separated words; a word that starts with a double quote runs to the
// next one and may hold blanks. An unclosed quote is kSoundNoClosingQuote.
std::uint32_t SplitSoundWords(std::string_view text, std::vector<std::string>& words);

ParsedSoundCommand ParseSoundCommand(std::string_view text);

// The device an open command gets: the type asked for, else the one the
// file's extension names. Unknown when neither says.
DeviceType DeviceTypeFor(const SoundCommand& open);

// A short text for a result code, for the failure report.
std::string SoundErrorText(std::uint32_t code);

}  // namespace quimbel::linux_port
