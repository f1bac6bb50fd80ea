#pragma once
// The seam: a multimedia command-string service ("open ... alias bgm",
// "play bgm notify", "status bgm mode", ...).
//
// Commands are UTF-8 text in the platform's command language: a verb, a
// device (an alias or, for open, a file path, in double quotes when it holds
// blanks) and keywords. Keywords and aliases compare without letter case.
// Result codes are the platform's: 0 is success; the others use the numbers
// the Windows service gives (257 and up), so callers and tests can name them.
// Each call returns when the command has been carried out; playing goes on in
// the background by itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quimbel::platform {

// Result codes that callers and the ports' tests refer to.
inline constexpr std::uint32_t kSoundOk = 0;
inline constexpr std::uint32_t kSoundUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kSoundUnrecognizedCommand = 261;
inline constexpr std::uint32_t kSoundHardware = 262;
inline constexpr std::uint32_t kSoundInvalidDeviceName = 263;  // alias not open
inline constexpr std::uint32_t kSoundMissingCommandString = 267;
inline constexpr std::uint32_t kSoundParamOverflow = 268;  // reply does not fit
inline constexpr std::uint32_t kSoundMissingStringArgument = 269;
inline constexpr std::uint32_t kSoundMissingParameter = 273;
inline constexpr std::uint32_t kSoundUnsupportedFunction = 274;
inline constexpr std::uint32_t kSoundFileNotFound = 275;
inline constexpr std::uint32_t kSoundExtensionNotFound = 281;
inline constexpr std::uint32_t kSoundFlagsNotCompatible = 284;
inline constexpr std::uint32_t kSoundDuplicateAlias = 289;
inline constexpr std::uint32_t kSoundMissingDeviceName = 292;
inline constexpr std::uint32_t kSoundNoClosingQuote = 294;
inline constexpr std::uint32_t kSoundDuplicateFlags = 295;
inline constexpr std::uint32_t kSoundInvalidFile = 296;

// Writes an answer the way the platform fills a reply buffer: over the start
// of the buffer, followed by one NUL character, the rest left as it was. An
// answer that does not fit in replyLength - 1 characters is not written and
// gives kSoundParamOverflow. The buffer grows if it is shorter than replyLength.
inline std::uint32_t WriteSoundReply(std::string& reply, std::size_t replyLength,
                                     std::string_view answer) {
  if (answer.empty() && replyLength == 0)
    return kSoundOk;
  if (answer.size() >= replyLength)
    return kSoundParamOverflow;
  if (reply.size() < replyLength)
    reply.resize(replyLength, ' ');
  reply.replace(0, answer.size(), answer);
  reply[answer.size()] = '\0';
  return kSoundOk;
}

class SoundService {
 public:
  virtual ~SoundService() = default;

  // Sends a command and returns its result code; never reports a failure on
  // its own (the core does, in the same way on every platform). When reply
  // is given it is the caller's buffer (the caller fills it beforehand) and
  // replyLength is how much of it the service may use: the answer is written
  // as WriteSoundReply does. Without a reply buffer the answer is dropped.
  virtual std::uint32_t Send(std::string_view command, std::string* reply,
                             std::size_t replyLength) = 0;
  // The platform's own text for a result code, for the failure report.
  virtual std::string ErrorText(std::uint32_t code) = 0;
};

}  // namespace quimbel::platform
