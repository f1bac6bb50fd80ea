#pragma once
// What the tune needs of the program that plays it. The program implements
// it; the sound layer decides what is sent and what the user is told.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/hosting.hpp"
#include "platform/sound_service.hpp"
#include "sound/music_state.hpp"

namespace quimbel::sound {

class Host {
 public:
  virtual platform::SoundService& Sound() = 0;
  virtual MusicState& Music() = 0;
  // Where the tune files lie: the program directory, ending in its separator.
  virtual const std::string& TuneDirectory() const = 0;
  // The music setting: 1 the wave file, 2 the MIDI file, anything else off.
  virtual std::int32_t MusicMode() const = 0;
  virtual TuneRule Tune() const = 0;
  // The daemon's window and its display's tune lock; nullptr outside a daemon.
  virtual platform::Hosting* Hosting() = 0;
  // A modal box under the program's one-box rule: nothing, and no answer,
  // while another box is open.
  virtual std::optional<int> ShowBox(const std::string& text, const std::string& caption, int flags,
                                     const std::string& helpFile = {}, int helpContext = 0) = 0;

 protected:
  ~Host() = default;
};

}  // namespace quimbel::sound
