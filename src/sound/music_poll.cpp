#include "sound/music_poll.hpp"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace quimbel::sound {
namespace {

constexpr std::size_t kReplyLength = 80;
// The quick polls begin this long before the end at the latest, and an
// eighth of the time left before it: a long sleep may end a little late
// (timers drift by a share of their period), and the device's clock is not
// ours.
constexpr long kNearEndMs = 50;
constexpr long kLateShare = 8;

// A whole number of milliseconds, or nothing where the device cannot tell.
std::optional<long> AskMs(Host& host, const char* command) {
  std::string reply(kReplyLength, ' ');
  if (host.Sound().Send(command, &reply, kReplyLength) != platform::kSoundOk)
    return std::nullopt;
  const std::size_t end = std::min(reply.find('\0'), reply.size());
  long value = 0;
  const char* first = reply.data();
  auto [last, error] = std::from_chars(first, first + end, value);
  if (error != std::errc() || last != first + end || end == 0 || value < 0)
    return std::nullopt;
  return value;
}

}  // namespace

int NextMusicPollMs(Host& host) {
  MusicState& music = host.Music();
  if (music.BgmActive == base::kFalse16)
    return 0;
  if (music.WaitingTurn)
    return kTurnPollMs;
  if (!music.lengthMs)
    music.lengthMs = AskMs(host, "status bgm length").value_or(0);
  if (*music.lengthMs <= 0)
    return kMusicPollMs;
  std::optional<long> position = AskMs(host, "status bgm position");
  if (!position || *position > *music.lengthMs)
    return kMusicPollMs;
  const long left = *music.lengthMs - *position;
  const long early = std::max(kNearEndMs, left / kLateShare);
  return left <= early ? kMusicPollMs : static_cast<int>(std::min<long>(left - early, 1 << 30));
}

}  // namespace quimbel::sound
