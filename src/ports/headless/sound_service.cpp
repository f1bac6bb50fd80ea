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

// Also ends a tune whose time has run out.
long HeadlessSound::PositionMs(const std::string& alias) {
  Place& place = places_[alias];
  std::string& mode = devices[alias];
  long at = place.positionMs + (mode == "playing" ? nowMs - place.sinceMs : 0);
  if (tuneMs > 0 && at >= tuneMs) {
    at = tuneMs;
    mode = "stopped";
  }
  place = {at, nowMs};
  return at;
}

SoundAnswer HeadlessSound::Simulate(const ports::SoundCommand& cmd) {
  if (cmd.verb == ports::SoundVerb::Open) {
    if (devices.contains(cmd.alias))
      return {platform::kSoundDuplicateAlias, {}};
    devices[cmd.alias] = "stopped";
    places_[cmd.alias] = {0, nowMs};
    return {};
  }
  auto device = devices.find(cmd.alias);
  if (device == devices.end())
    return {platform::kSoundInvalidDeviceName, {}};
  const long at = PositionMs(cmd.alias);
  switch (cmd.verb) {
    case ports::SoundVerb::Play:
      if (tuneMs == 0 || at < tuneMs)
        device->second = "playing";
      break;
    case ports::SoundVerb::Stop:
      device->second = "stopped";
      break;
    case ports::SoundVerb::Seek:
      device->second = "stopped";
      places_[cmd.alias] = {0, nowMs};
      break;
    case ports::SoundVerb::Close:
      devices.erase(device);
      places_.erase(cmd.alias);
      break;
    case ports::SoundVerb::Status:
      if (cmd.item == ports::StatusItem::Mode)
        return {platform::kSoundOk, device->second};
      if (tuneMs == 0)
        return {platform::kSoundUnsupportedFunction, {}};
      return {platform::kSoundOk,
              std::to_string(cmd.item == ports::StatusItem::Length ? tuneMs : at)};
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
