#include "ports/common/sound_command.hpp"

#include <array>
#include <vector>

#include "platform/sound_service.hpp"

namespace quimbel::ports {
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

constexpr std::array<std::string_view, 6> kVerbNames{"open", "play", "status",
                                                     "seek", "stop", "close"};

std::uint32_t SplitWords(std::string_view text, std::vector<std::string>& words) {
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

// The keywords after the device, for the one verb that takes each.
std::uint32_t ReadKeywords(const std::vector<std::string>& words, SoundCommand& cmd) {
  bool alias = false, notify = false, item = false, to = false;
  for (std::size_t i = 2; i < words.size(); ++i) {
    std::string word = Lower(words[i]);
    const bool status = cmd.verb == SoundVerb::Status;
    const bool isItem = word == "mode" || word == "length" || word == "position";
    bool* seen = cmd.verb == SoundVerb::Open && word == "alias"    ? &alias
                 : cmd.verb == SoundVerb::Play && word == "notify" ? &notify
                 : status && isItem                                ? &item
                 : cmd.verb == SoundVerb::Seek && word == "to"     ? &to
                                                                   : nullptr;
    if (seen == nullptr)
      return kSoundUnrecognizedKeyword;
    const StatusItem asked = word == "mode"     ? StatusItem::Mode
                             : word == "length" ? StatusItem::Length
                                                : StatusItem::Position;
    if (*seen)  // one status item a query, as the Windows service wants
      return seen == &item && asked != cmd.item ? kSoundFlagsNotCompatible : kSoundDuplicateFlags;
    *seen = true;
    if (seen == &item)
      cmd.item = asked;
    if (seen != &alias && seen != &to)
      continue;
    if (i + 1 >= words.size() || words[i + 1].empty())
      return kSoundMissingStringArgument;
    std::string value = Lower(words[++i]);
    if (seen == &alias)
      cmd.alias = value;
    else if (value != "start")
      return kSoundUnsupportedFunction;  // the tune is only ever rewound
  }
  bool complete = cmd.verb == SoundVerb::Open     ? alias
                  : cmd.verb == SoundVerb::Status ? item
                  : cmd.verb == SoundVerb::Seek   ? to
                                                  : true;
  return complete ? kSoundOk : kSoundMissingParameter;
}

}  // namespace

std::string_view SoundVerbName(SoundVerb verb) {
  return kVerbNames[static_cast<std::size_t>(verb)];
}

ParsedSoundCommand ReadSoundCommand(std::string_view text) {
  ParsedSoundCommand parsed;
  std::vector<std::string> words;
  if ((parsed.error = SplitWords(text, words)) != kSoundOk)
    return parsed;
  if (words.empty()) {
    parsed.error = kSoundMissingCommandString;
    return parsed;
  }
  std::string verb = Lower(words[0]);
  std::size_t index = 0;
  while (index < kVerbNames.size() && kVerbNames[index] != verb)
    ++index;
  if (index == kVerbNames.size()) {
    parsed.error = kSoundUnrecognizedCommand;
    return parsed;
  }
  SoundCommand& cmd = parsed.command;
  cmd.verb = static_cast<SoundVerb>(index);
  if (words.size() < 2 || words[1].empty()) {
    parsed.error = kSoundMissingDeviceName;
    return parsed;
  }
  if (cmd.verb == SoundVerb::Open)
    cmd.path = words[1];
  else
    cmd.alias = Lower(words[1]);
  parsed.error = ReadKeywords(words, cmd);
  return parsed;
}

}  // namespace quimbel::ports
