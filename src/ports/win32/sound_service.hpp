#pragma once
// The sound service of this port: winmm's command-string service, called with
// wide characters so that a path in any script reaches it unchanged.
#include <cstdint>
#include <string>

#include "platform/sound_service.hpp"

namespace quimbel::win32_port {

class WinmmSoundService : public platform::SoundService {
 public:
  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  // The service's own text (mciGetErrorString), in the system's language.
  std::string ErrorText(std::uint32_t code) override;
};

}  // namespace quimbel::win32_port
