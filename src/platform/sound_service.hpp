#pragma once
// The seam: a multimedia command-string service ("open ... alias bgm",
// "play bgm notify", "status bgm mode", ...).
#include <cstdint>
#include <string>
#include <string_view>

namespace quimbel::platform {

class SoundService {
 public:
  virtual ~SoundService() = default;

  // Sends a command; 0 means success, anything else is the service's error
  // code. When reply is given, the service writes its answer into it, at most
  // replyLength characters (the caller prepares the buffer).
  virtual std::uint32_t Send(std::string_view command, std::string* reply,
                             std::size_t replyLength) = 0;
  // Sends a command without a reply; on failure the service reports the error
  // on its own (the platform's message box). Returns true on success.
  virtual bool Execute(std::string_view command) = 0;
};

}  // namespace quimbel::platform
