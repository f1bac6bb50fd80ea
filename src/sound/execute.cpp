#include "sound/execute.hpp"

#include <string>

#include "app/program.hpp"

namespace quimbel::sound {

bool Execute(app::Program& program, std::string_view command) {
  platform::SoundService& service = program.platform.sound;
  std::uint32_t code = service.Send(command, nullptr, 0);
  if (code == platform::kSoundOk)
    return true;
  program.boxes.Show(service.ErrorText(code), std::string(command),
                     platform::kMbOk | platform::kMbIconExclamation);
  return false;
}

}  // namespace quimbel::sound
