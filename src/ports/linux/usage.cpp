#include "ports/linux/usage.hpp"

#include <string_view>

#include "ui/texts.hpp"

namespace quimbel::linux_port {

std::optional<std::string> InformationFor(const std::vector<std::string>& args) {
  if (args.size() < 2)
    return std::nullopt;
  // "Ver1.40" on the About box; a version number alone here.
  std::string_view version = ui::kVersionText;
  if (version.starts_with("Ver"))
    version.remove_prefix(3);
  if (args[1] == "--version")
    return "quimbel " + std::string(version) + "\n";
  if (args[1] != "--help")
    return std::nullopt;
  return "Usage: quimbel [/s | /c | /p WINDOW-ID]\n"
         "       quimbel --root | --window-id WINDOW-ID\n"
         "\n"
         "Little characters walk across the screen while a tune plays.\n"
         "\n"
         "  /s                 cover the screen; a mouse move, click or key ends it\n"
         "  /c                 the settings dialog (also without a switch)\n"
         "  /p WINDOW-ID       a preview inside that X window (decimal, or &H hexadecimal)\n"
         "  --root             as an xscreensaver hack: draw into $XSCREENSAVER_WINDOW\n"
         "                     (or the root window)\n"
         "  --window-id ID     as a hack: draw into that window (0x hexadecimal or decimal)\n"
         "  --help             this text\n"
         "  --version          the version\n"
         "\n"
         "Settings: $XDG_CONFIG_HOME/quimbel/SetupQor.ini (default ~/.config/quimbel).\n"
         "See quimbel(6x).\n";
}

}  // namespace quimbel::linux_port
