#include "ports/linux/hosting/host_arguments.hpp"

#include <cerrno>
#include <cstdlib>

namespace quimbel::linux_port {
namespace {

bool Is(const std::string& arg, const char* name) {
  // Both spellings: "-root" and "--root".
  return arg == std::string("-") + name || arg == std::string("--") + name;
}

}  // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text) {
  if (text.empty())
    return std::nullopt;
  int base = 10;
  std::size_t start = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    start = 2;
  }
  for (std::size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    bool digit = (c >= '0' && c <= '9') ||
                 (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!digit)
      return std::nullopt;
  }
  if (start == text.size())
    return std::nullopt;
  errno = 0;
  unsigned long long value = std::strtoull(text.c_str() + start, nullptr, base);
  // X ids are 29-bit resource ids; anything past 32 bits names no window.
  if (errno != 0 || value == 0 || value > 0xFFFFFFFFull)
    return std::nullopt;
  return static_cast<unsigned long>(value);
}

HostedParse ParseHostArguments(const std::vector<std::string>& args,
                               const char* environmentWindow) {
  HostedParse result;
  bool root = false;
  std::optional<std::string> windowText;
  bool hosted = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (Is(arg, "root")) {
      root = hosted = true;
    } else if (Is(arg, "window-id")) {
      hosted = true;
      if (i + 1 >= args.size()) {
        result.error = arg + " needs a window id";
        return result;
      }
      windowText = args[++i];
    } else if (arg.rfind("--window-id=", 0) == 0 || arg.rfind("-window-id=", 0) == 0) {
      hosted = true;
      windowText = arg.substr(arg.find('=') + 1);
    } else if (Is(arg, "visual") || Is(arg, "display")) {
      ++i;  // takes a value; the visual is the window's own, the display $DISPLAY
    } else if (!arg.empty() && arg[0] == '/' && !hosted) {
      return result;  // our own switches: not a hosted run
    }
  }
  if (!hosted)
    return result;
  HostedRun run;
  if (windowText) {
    std::optional<unsigned long> id = ParseWindowId(*windowText);
    if (!id) {
      result.error = "not a window id: " + *windowText;
      return result;
    }
    run.window = *id;
  } else if (root && environmentWindow != nullptr && environmentWindow[0] != '\0') {
    std::optional<unsigned long> id = ParseWindowId(environmentWindow);
    if (!id) {
      result.error = std::string("XSCREENSAVER_WINDOW is not a window id: ") + environmentWindow;
      return result;
    }
    run.window = *id;
  }
  result.run = run;
  return result;
}

}  // namespace quimbel::linux_port
