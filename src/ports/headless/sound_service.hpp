#pragma once
// Headless sound service: records every command.
#include <string>
#include <vector>

#include "platform/sound_service.hpp"

namespace quimbel::headless {

class HeadlessSound : public platform::SoundService {
 public:
  std::vector<std::string> commands;

  std::uint32_t Send(std::string_view command, std::string*, std::size_t) override {
    commands.emplace_back(command);
    return 0;
  }
  bool Execute(std::string_view command) override {
    commands.emplace_back(command);
    return true;
  }
};

}  // namespace quimbel::headless
