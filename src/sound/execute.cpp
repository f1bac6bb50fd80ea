#include "sound/execute.hpp"

#include <string>

#include "platform/message_box.hpp"
#include "sound/host.hpp"

namespace quimbel::sound {

bool Execute(Host& host, std::string_view command) {
  platform::SoundService& service = host.Sound();
  std::uint32_t code = service.Send(command, nullptr, 0);
  if (code == platform::kSoundOk)
    return true;
  host.ShowBox(service.ErrorText(code), std::string(command),
               platform::kMbOk | platform::kMbIconExclamation);
  return false;
}

}  // namespace quimbel::sound
