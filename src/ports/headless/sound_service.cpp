#include "ports/headless/sound_service.hpp"

#include <algorithm>
#include <cctype>

namespace quimbel::headless {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Blank-separated words; a word in double quotes may hold blanks.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::string word;
    if (text[i] == '"') {
      std::size_t end = text.find('"', i + 1);
      word = text.substr(i + 1, end == std::string_view::npos ? end : end - i - 1);
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else {
      std::size_t end = std::min(text.find(' ', i), text.size());
      word = text.substr(i, end - i);
      i = end;
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

SoundAnswer HeadlessSound::Respond(std::string_view command) {
  auto take = [this](auto it) {
    SoundAnswer answer = std::move(it->second.front());
    it->second.pop_front();
    if (it->second.empty())
      script.erase(it);
    return answer;
  };
  if (auto it = script.find(command); it != script.end())
    return take(it);
  std::vector<std::string> words = Words(command);
  if (!words.empty()) {
    if (auto it = script.find(Lower(words[0])); it != script.end())
      return take(it);
  }
  return Simulate(command);
}

SoundAnswer HeadlessSound::Simulate(std::string_view command) {
  std::vector<std::string> words = Words(command);
  if (words.empty())
    return {platform::kSoundUnrecognizedCommand, {}};
  std::string verb = Lower(words[0]);
  if (words.size() < 2)
    return {platform::kSoundMissingDeviceName, {}};
  if (verb == "open") {
    std::string alias = Lower(words[1]);
    for (std::size_t i = 2; i + 1 < words.size(); ++i) {
      if (Lower(words[i]) == "alias")
        alias = Lower(words[i + 1]);
    }
    if (devices.contains(alias))
      return {platform::kSoundDuplicateAlias, {}};
    devices[alias] = "stopped";
    return {};
  }
  auto device = devices.find(Lower(words[1]));
  if (device == devices.end())
    return {platform::kSoundInvalidDeviceName, {}};
  std::string& mode = device->second;
  if (verb == "play" || verb == "resume") {
    mode = "playing";
  } else if (verb == "stop" || verb == "seek") {
    mode = "stopped";
  } else if (verb == "pause") {
    mode = "paused";
  } else if (verb == "close") {
    devices.erase(device);
  } else if (verb == "status") {
    if (words.size() < 3)
      return {platform::kSoundMissingParameter, {}};
    if (Lower(words[2]) != "mode")
      return {platform::kSoundUnsupportedFunction, {}};
    return {platform::kSoundOk, mode};
  } else {
    return {platform::kSoundUnrecognizedCommand, {}};
  }
  return {};
}

std::uint32_t HeadlessSound::Send(std::string_view command, std::string* reply,
                                  std::size_t replyLength) {
  calls.push_back({std::string(command), reply != nullptr, replyLength});
  commands.emplace_back(command);
  SoundAnswer answer = Respond(command);
  if (answer.code != platform::kSoundOk || reply == nullptr)
    return answer.code;
  return platform::WriteSoundReply(*reply, replyLength, answer.reply);
}

std::string HeadlessSound::ErrorText(std::uint32_t code) {
  return "error " + std::to_string(code);
}

void HeadlessSound::EndTune(std::string_view alias) {
  if (auto device = devices.find(Lower(alias)); device != devices.end())
    device->second = "stopped";
}

}  // namespace quimbel::headless
