// The sound service's command reader and the MIDI length reader: any text or
// file must give a result code or an answer, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "ports/linux/sound/midi_length.hpp"
#include "ports/linux/sound/sound_command.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quimbel::linux_port;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ParsedSoundCommand parsed = ParseSoundCommand(text);
  if (parsed.error == 0) {
    if (parsed.command.device.empty())
      __builtin_trap();  // every valid command names its device
    if (parsed.command.verb == SoundVerb::Open)
      (void)DeviceTypeFor(parsed.command);
  } else if (parsed.error < 257) {
    __builtin_trap();  // codes are the service's, from 257 up
  }
  (void)SoundErrorText(parsed.error);
  (void)MidiLengthSeconds(std::span(data, size));
  return 0;
}
