// Every text the program reads as a number: the command line's handle and the
// stored settings. Any input must give a number or a run-time error, nothing else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/command_line.hpp"
#include "base/numeric_text.hpp"
#include "base/runtime_error.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    (void)quimbel::base::ReadNumericPrefix(text);
  } catch (const quimbel::base::RuntimeError& e) {
    if (e.Number() != quimbel::base::kOverflow)
      __builtin_trap();
  }
  try {
    std::int16_t v = quimbel::base::TextToInt16(text);
    // A converted value must read back from its decimal text unchanged.
    if (quimbel::base::TextToInt16(std::to_string(v)) != v)
      __builtin_trap();
  } catch (const quimbel::base::RuntimeError& e) {
    if (e.Number() != quimbel::base::kOverflow && e.Number() != quimbel::base::kTypeMismatch) {
      __builtin_trap();
    }
  }
  try {
    (void)quimbel::app::ParseCommandLine(text);
  } catch (const quimbel::base::RuntimeError& e) {
    if (e.Number() != quimbel::base::kOverflow)
      __builtin_trap();
  }
  return 0;
}
