// The ports' sound-command reader and the MIDI length reader: any text or
// file must give a result code or an answer, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "ports/common/sound_command.hpp"
#include "ports/linux/sound/midi_length.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quimbel::ports;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ParsedSoundCommand parsed = ReadSoundCommand(text);
  if (parsed.error == 0) {
    const SoundCommand& cmd = parsed.command;
    // Every valid command names its tune: open by its file and alias both.
    if (cmd.alias.empty() || (cmd.verb == SoundVerb::Open) == cmd.path.empty())
      __builtin_trap();
    if (SoundVerbName(cmd.verb).empty())
      __builtin_trap();
  } else if (parsed.error < 257) {
    __builtin_trap();  // codes are the service's, from 257 up
  }
  (void)quimbel::linux_port::MidiLengthSeconds(std::span(data, size));
  return 0;
}
