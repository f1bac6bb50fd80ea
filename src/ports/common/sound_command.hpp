#pragma once
// The sound seam's command language as the core speaks it, read into a plain
// record for every port whose platform does not read it natively:
//
//   open "<path>" alias <alias>     status <alias> mode|length|position
//   play <alias> [notify]           seek <alias> to start
//   stop <alias>                    close <alias>
//
// Length and position are whole milliseconds, the Windows service's own
// default for both kinds of tune.
//
// Words are separated by blanks; a word in double quotes may hold blanks.
// Verbs, keywords and aliases compare without letter case; the path is kept
// as written. Anything else is refused with the result code the Windows
// service would give for it, so that every port fails alike.
#include <cstdint>
#include <string>
#include <string_view>

namespace quimbel::ports {

enum class SoundVerb { Open, Play, Status, Seek, Stop, Close };
enum class StatusItem { Mode, Length, Position };

struct SoundCommand {
  SoundVerb verb = SoundVerb::Open;
  std::string alias;                   // in lower case
  std::string path;                    // open only: the file, as written
  StatusItem item = StatusItem::Mode;  // status only
};

struct ParsedSoundCommand {
  std::uint32_t error = 0;  // a result code of the seam; 0 when the command is valid
  SoundCommand command;
};

ParsedSoundCommand ReadSoundCommand(std::string_view text);

// The verb as the command writes it, in lower case ("open", "play", ...).
std::string_view SoundVerbName(SoundVerb verb);

}  // namespace quimbel::ports
