#include "sound/music.hpp"

#include <string>
#include <string_view>

#include "app/program.hpp"
#include "sound/execute.hpp"

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
bool TakeTurn(app::Program& program) {
  platform::Hosting* hosting = program.platform.hosting;
  return program.run.Tune != app::TuneRule::PlayInTurn ||
         (hosting != nullptr && hosting->TakeTuneLock());
}

void GiveTurn(app::Program& program) {
  if (program.run.Tune == app::TuneRule::PlayInTurn && program.platform.hosting != nullptr)
    program.platform.hosting->GiveTuneLock();
}

void Start(app::Program& program, const char* file) {
  platform::SoundService& sound = program.platform.sound;
  MusicState& music = program.music;
  music.BgmActive = base::kFalse16;
  music.WaitingTurn = false;
  if (program.run.Tune == app::TuneRule::Silent)
    return;
  if (!TakeTurn(program)) {
    music.WaitingTurn = true;
    music.BgmActive = base::kTrue16;
    return;
  }
  // In quotes: the program directory often holds blanks, and an unquoted
  // blank ends the file name for the command parser.
  std::string open = "open \"" + program.run.AppPath + file + "\" alias bgm";
  if (sound.Send(open, nullptr, 0) != platform::kSoundOk) {
    GiveTurn(program);
    return;  // no file or no device: the saver runs silent, without a word
  }
  if (sound.Send(kPlay, nullptr, 0) == platform::kSoundOk) {
    music.BgmActive = base::kTrue16;
  } else {
    Execute(program, "close bgm");
    GiveTurn(program);
  }
}

// Anything but "playing" (the end of the tune, or a pause someone else made)
// starts the tune again from the top.
void Poll(app::Program& program) {
  std::string reply(kReplyLength, ' ');
  if (program.music.BgmActive == base::kFalse16)
    return;
  if (program.music.WaitingTurn) {
    if (const char* file = TuneFile(program.settings.MusicMode))
      Start(program, file);
    return;
  }
  platform::SoundService& sound = program.platform.sound;
  if (sound.Send("status bgm mode", &reply, kReplyLength) != platform::kSoundOk)
    return;
  if (std::string_view(reply).substr(0, kPlaying.size()) != kPlaying) {
    Execute(program, "seek bgm to start");
    Execute(program, kPlay);
  }
}

void Stop(app::Program& program) {
  if (program.music.BgmActive == base::kFalse16)
    return;
  if (program.music.WaitingTurn) {
    program.music.WaitingTurn = false;  // nothing reached the device
    return;
  }
  Execute(program, "stop bgm");
  Execute(program, "close bgm");
  GiveTurn(program);
}

}  // namespace

void PlayMusic(app::Program& program, std::int16_t mode) {
  switch (mode) {
    case MusicStart:
      if (const char* file = TuneFile(program.settings.MusicMode))
        Start(program, file);
      break;
    case MusicStop:
      Stop(program);
      break;
    case MusicPoll:
      Poll(program);
      break;
    default:
      break;
  }
}

}  // namespace quimbel::sound
