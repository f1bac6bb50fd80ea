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
  ports::ParsedSoundCommand parsed = ports::ReadSoundCommand(command);
  if (parsed.error != platform::kSoundOk)
    return {parsed.error, {}};
  if (auto it = script.find(ports::SoundVerbName(parsed.command.verb)); it != script.end())
    return take(it);
  return Simulate(parsed.command);
}

SoundAnswer HeadlessSound::Simulate(const ports::SoundCommand& cmd) {
  if (cmd.verb == ports::SoundVerb::Open) {
    if (devices.contains(cmd.alias))
      return {platform::kSoundDuplicateAlias, {}};
    devices[cmd.alias] = "stopped";
    return {};
  }
  auto device = devices.find(cmd.alias);
  if (device == devices.end())
    return {platform::kSoundInvalidDeviceName, {}};
  switch (cmd.verb) {
    case ports::SoundVerb::Play:
      device->second = "playing";
      break;
    case ports::SoundVerb::Stop:
    case ports::SoundVerb::Seek:
      device->second = "stopped";
      break;
    case ports::SoundVerb::Close:
      devices.erase(device);
      break;
    case ports::SoundVerb::Status:
      return {platform::kSoundOk, device->second};
    case ports::SoundVerb::Open:
      break;
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
