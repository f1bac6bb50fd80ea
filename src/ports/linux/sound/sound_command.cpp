#include "ports/linux/sound/sound_command.hpp"

#include <algorithm>
#include <array>

#include "platform/sound_service.hpp"

namespace quimbel::linux_port {
namespace {

using namespace quimbel::platform;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct VerbName {
  std::string_view name;
  SoundVerb verb;
};
constexpr std::array kVerbs{
    VerbName{"open", SoundVerb::Open},     VerbName{"play", SoundVerb::Play},
    VerbName{"stop", SoundVerb::Stop},     VerbName{"pause", SoundVerb::Pause},
    VerbName{"resume", SoundVerb::Resume}, VerbName{"seek", SoundVerb::Seek},
    VerbName{"status", SoundVerb::Status}, VerbName{"close", SoundVerb::Close},
};

struct ItemName {
  std::string_view name;
  StatusItem item;
};
constexpr std::array kItems{
    ItemName{"mode", StatusItem::Mode},
    ItemName{"ready", StatusItem::Ready},
    ItemName{"length", StatusItem::Length},
    ItemName{"position", StatusItem::Position},
};

// Reads the keywords after the device; returns a result code.
std::uint32_t ReadKeywords(const std::vector<std::string>& words, SoundCommand& cmd) {
  bool seenAlias = false, seenType = false, seenShareable = false;
  for (std::size_t i = 2; i < words.size(); ++i) {
    std::string word = Lower(words[i]);
    auto once = [](bool& seen) {
      bool again = seen;
      seen = true;
      return again;
    };
    auto argument = [&](std::string& out) -> std::uint32_t {
      if (i + 1 >= words.size() || words[i + 1].empty())
        return kSoundMissingStringArgument;
      out = words[++i];
      return kSoundOk;
    };
    if (word == "notify") {
      if (once(cmd.notify))
        return kSoundDuplicateFlags;
    } else if (word == "wait") {
      if (once(cmd.wait))
        return kSoundDuplicateFlags;
    } else if (cmd.verb == SoundVerb::Open && word == "alias") {
      if (once(seenAlias))
        return kSoundDuplicateFlags;
      std::string alias;
      if (std::uint32_t code = argument(alias))
        return code;
      cmd.device = Lower(alias);
    } else if (cmd.verb == SoundVerb::Open && word == "type") {
      if (once(seenType))
        return kSoundDuplicateFlags;
      if (std::uint32_t code = argument(cmd.type))
        return code;
      cmd.type = Lower(cmd.type);
    } else if (cmd.verb == SoundVerb::Open && word == "shareable") {
      if (once(seenShareable))
        return kSoundDuplicateFlags;
    } else if (cmd.verb == SoundVerb::Seek && word == "to") {
      if (cmd.seek != SeekTarget::None)
        return kSoundDuplicateFlags;
      std::string target;
      if (std::uint32_t code = argument(target))
        return code;
      target = Lower(target);
      if (target == "start")
        cmd.seek = SeekTarget::Start;
      else if (target == "end")
        cmd.seek = SeekTarget::End;
      else
        return kSoundUnsupportedFunction;  // positions in time are not kept
    } else if (cmd.verb == SoundVerb::Status) {
      auto it = std::find_if(kItems.begin(), kItems.end(),
                             [&](const ItemName& n) { return n.name == word; });
      if (it == kItems.end())
        return kSoundUnrecognizedKeyword;
      if (cmd.item != StatusItem::None)
        return kSoundFlagsNotCompatible;
      cmd.item = it->item;
    } else {
      return kSoundUnrecognizedKeyword;
    }
  }
  if (cmd.verb == SoundVerb::Seek && cmd.seek == SeekTarget::None)
    return kSoundMissingParameter;
  if (cmd.verb == SoundVerb::Status && cmd.item == StatusItem::None)
    return kSoundMissingParameter;
  return kSoundOk;
}

}  // namespace

std::uint32_t SplitSoundWords(std::string_view text, std::vector<std::string>& words) {
  words.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    if (text[i] == '"') {
      std::size_t end = text.find('"', i + 1);
      if (end == std::string_view::npos)
        return kSoundNoClosingQuote;
      words.emplace_back(text.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !IsBlank(text[end]))
      ++end;
    words.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return kSoundOk;
}

ParsedSoundCommand ParseSoundCommand(std::string_view text) {
  ParsedSoundCommand parsed;
  std::vector<std::string> words;
  if ((parsed.error = SplitSoundWords(text, words)) != kSoundOk)
    return parsed;
  if (words.empty()) {
    parsed.error = kSoundMissingCommandString;
    return parsed;
  }
  std::string verb = Lower(words[0]);
  auto it =
      std::find_if(kVerbs.begin(), kVerbs.end(), [&](const VerbName& n) { return n.name == verb; });
  if (it == kVerbs.end()) {
    parsed.error = kSoundUnrecognizedCommand;
    return parsed;
  }
  SoundCommand& cmd = parsed.command;
  cmd.verb = it->verb;
  if (words.size() < 2 || words[1].empty()) {
    parsed.error = kSoundMissingDeviceName;
    return parsed;
  }
  if (cmd.verb == SoundVerb::Open)
    cmd.element = words[1];
  cmd.device = Lower(words[1]);
  parsed.error = ReadKeywords(words, cmd);
  return parsed;
}

DeviceType DeviceTypeFor(const SoundCommand& open) {
  if (!open.type.empty()) {
    if (open.type == "sequencer")
      return DeviceType::Sequencer;
    if (open.type == "waveaudio")
      return DeviceType::WaveAudio;
    return DeviceType::Unknown;
  }
  std::string_view path = open.element;
  std::size_t name = path.find_last_of("/\\");
  name = name == std::string_view::npos ? 0 : name + 1;
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < name)
    return DeviceType::Unknown;
  std::string extension = Lower(path.substr(dot + 1));
  if (extension == "mid" || extension == "midi" || extension == "rmi" || extension == "kar")
    return DeviceType::Sequencer;
  if (extension == "wav")
    return DeviceType::WaveAudio;
  return DeviceType::Unknown;
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

}  // namespace quimbel::linux_port
