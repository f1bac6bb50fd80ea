#pragma once
// Reading the host's command line: the two-character switch and the handle number.
#include <cstdint>
#include <string_view>

#include "app/program.hpp"

namespace quimbel::app {

struct CommandLine {
  RunMode mode = RunMode::None;
  std::int32_t handle = 0;  // read for every switch, used only by the preview
};

// The switch is the first two characters after leading spaces, compared with
// letter case; the handle is read from the 4th character of the untrimmed line
// on. A handle outside the signed 32-bit range is an overflow error.
CommandLine ParseCommandLine(std::string_view text);

}  // namespace quimbel::app
