#pragma once
// Sound commands whose failure the user is told of, on every platform alike:
// a box with the platform's own text for the result code, captioned with the
// command. Through the program's one-box rule, so a command that fails every
// poll under an open box adds no second one.
#include <string_view>

namespace quimbel::sound {

class Host;

// Sends the command without a reply; on failure shows the report. True on success.
bool Execute(Host& host, std::string_view command);

}  // namespace quimbel::sound
