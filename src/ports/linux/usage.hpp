#pragma once
// "--help" and "--version": what a Linux user asks any command first. The
// host's switches ("/s", "/p N", "/c") and anything else go on as before.
#include <optional>
#include <string>
#include <vector>

namespace quimbel::linux_port {

// The text to print for argv (program name first) when its first argument is
// "--help" or "--version"; nothing otherwise.
std::optional<std::string> InformationFor(const std::vector<std::string>& args);

}  // namespace quimbel::linux_port
