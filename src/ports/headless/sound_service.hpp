#pragma once
// Headless sound service: records every command and answers like a small
// well-behaved device unless a test scripts another answer.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/sound_service.hpp"
#include "ports/common/sound_command.hpp"

namespace quimbel::headless {

struct SoundCall {
  std::string command;
  bool withReply = false;
  std::size_t replyLength = 0;
};

struct SoundAnswer {
  std::uint32_t code = platform::kSoundOk;
  std::string reply;  // written into the caller's buffer when the code is 0
};

class HeadlessSound : public platform::SoundService {
 public:
  std::vector<SoundCall> calls;
  std::vector<std::string> commands;  // the same commands, texts only

  // Answers given in order to the command with exactly this text, or else to
  // any valid command with this verb ("open", "status", ...). A scripted
  // answer replaces the simulated device's for that call: the device's state
  // does not change when a scripted answer is given.
  std::map<std::string, std::deque<SoundAnswer>, std::less<>> script;

  // The simulated device: aliases that are open, with their mode ("stopped"
  // or "playing"). It reads commands as every port but Windows does; open
  // succeeds for any file; play plays for ever until the test ends the tune
  // with EndTune, or, with a tuneMs, until nowMs has run that far.
  std::map<std::string, std::string, std::less<>> devices;
  // The device's clock, which the test moves, and the length of every tune
  // it opens; 0 is a tune without end, whose length it cannot tell.
  long nowMs = 0;
  long tuneMs = 0;

  std::uint32_t Send(std::string_view command, std::string* reply,
                     std::size_t replyLength) override;
  // "error N" for code N.
  std::string ErrorText(std::uint32_t code) override;

  // The tune of an open alias has reached its end.
  void EndTune(std::string_view alias);
  // Queues an answer (see script).
  void Answer(std::string key, SoundAnswer answer) {
    script[std::move(key)].push_back(std::move(answer));
  }

 private:
  // Where a tune is: at positionMs when the clock read sinceMs.
  struct Place {
    long positionMs = 0;
    long sinceMs = 0;
  };
  SoundAnswer Respond(std::string_view command);
  SoundAnswer Simulate(const ports::SoundCommand& command);
  long PositionMs(const std::string& alias);
  std::map<std::string, Place, std::less<>> places_;
};

}  // namespace quimbel::headless
