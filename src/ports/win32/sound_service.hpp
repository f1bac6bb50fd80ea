#pragma once
// The sound service of this port: winmm's command-string service, called with
// wide characters so that a path in any script reaches it unchanged.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/sound_service.hpp"

namespace quimbel::win32_port {

class WinmmSoundService : public platform::SoundService {
 public:
  // Shows a failed Execute: the command and the service's own error text.
  using FailureReport =
      std::function<void(const std::string& command, std::uint32_t code, const std::wstring& text)>;

  // Reports failures of Execute in a message box, as the platform does.
  WinmmSoundService();
  explicit WinmmSoundService(FailureReport report) : report_(std::move(report)) {}

  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  bool Execute(std::string_view command) override;

 private:
  FailureReport report_;
  bool reporting_ = false;
};

}  // namespace quimbel::win32_port
