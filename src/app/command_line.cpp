#include "app/command_line.hpp"

#include "base/numeric_text.hpp"
#include "base/rounding.hpp"

namespace quimbel::app {

CommandLine ParseCommandLine(std::string_view text) {
  CommandLine result;
  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.front() == ' ')
    trimmed.remove_prefix(1);
  std::string_view sw = trimmed.substr(0, 2);

  std::string_view handleText = text.size() >= 4 ? text.substr(3) : std::string_view{};
  result.handle = base::CInt32(base::ReadNumericPrefix(handleText));

  if (sw == "/P" || sw == "/p") {
    result.mode = RunMode::Preview;
  } else if (sw == "/S" || sw == "/s") {
    result.mode = RunMode::Saver;
  } else if (sw == "/C" || sw == "/c" || sw.empty()) {
    result.mode = RunMode::Configure;
  }
  return result;
}

}  // namespace quimbel::app
