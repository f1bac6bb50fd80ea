#include "sound/music.hpp"

#include <string>
#include <string_view>

#include "sound/execute.hpp"
#include "sound/host.hpp"

namespace quimbel::sound {
namespace {

constexpr std::size_t kReplyLength = 80;
constexpr std::string_view kPlaying = "playing";
constexpr std::string_view kPlay = "play bgm notify";

// Nullptr when the music is off; values other than 1 and 2 count as off.
const char* TuneFile(std::int32_t musicMode) {
  switch (musicMode) {
    case 1:
      return "quimbel.wav";
    case 2:
      return "quimbel.mid";
    default:
      return nullptr;
  }
}

// A run that plays in turn holds the display's tune lock while its tune is
// open; until it gets the lock its tune waits, active but silent.
bool TakeTurn(Host& host) {
  platform::Hosting* hosting = host.Hosting();
  return host.Tune() != TuneRule::PlayInTurn || (hosting != nullptr && hosting->TakeTuneLock());
}

void GiveTurn(Host& host) {
  if (host.Tune() == TuneRule::PlayInTurn && host.Hosting() != nullptr)
    host.Hosting()->GiveTuneLock();
}

void Start(Host& host, const char* file) {
  platform::SoundService& sound = host.Sound();
  MusicState& music = host.Music();
  music.BgmActive = base::kFalse16;
  music.WaitingTurn = false;
  music.lengthMs.reset();
  if (host.Tune() == TuneRule::Silent)
    return;
  if (!TakeTurn(host)) {
    music.WaitingTurn = true;
    music.BgmActive = base::kTrue16;
    return;
  }
  // In quotes: the program directory often holds blanks, and an unquoted
  // blank ends the file name for the command parser.
  std::string open = "open \"" + host.TuneDirectory() + file + "\" alias bgm";
  if (sound.Send(open, nullptr, 0) != platform::kSoundOk) {
    GiveTurn(host);
    return;  // no file or no device: the saver runs silent, without a word
  }
  if (sound.Send(kPlay, nullptr, 0) == platform::kSoundOk) {
    music.BgmActive = base::kTrue16;
  } else {
    Execute(host, "close bgm");
    GiveTurn(host);
  }
}

// Anything but "playing" (the end of the tune, or a pause someone else made)
// starts the tune again from the top.
void Poll(Host& host) {
  std::string reply(kReplyLength, ' ');
  if (host.Music().BgmActive == base::kFalse16)
    return;
  if (host.Music().WaitingTurn) {
    if (const char* file = TuneFile(host.MusicMode()))
      Start(host, file);
    return;
  }
  platform::SoundService& sound = host.Sound();
  if (sound.Send("status bgm mode", &reply, kReplyLength) != platform::kSoundOk)
    return;
  if (std::string_view(reply).substr(0, kPlaying.size()) != kPlaying) {
    Execute(host, "seek bgm to start");
    Execute(host, kPlay);
  }
}

void Stop(Host& host) {
  if (host.Music().BgmActive == base::kFalse16)
    return;
  if (host.Music().WaitingTurn) {
    host.Music().WaitingTurn = false;  // nothing reached the device
    return;
  }
  Execute(host, "stop bgm");
  Execute(host, "close bgm");
  GiveTurn(host);
}

}  // namespace

void PlayMusic(Host& host, std::int16_t mode) {
  switch (mode) {
    case MusicStart:
      if (const char* file = TuneFile(host.MusicMode()))
        Start(host, file);
      break;
    case MusicStop:
      Stop(host);
      break;
    case MusicPoll:
      Poll(host);
      break;
    default:
      break;
  }
}

}  // namespace quimbel::sound
