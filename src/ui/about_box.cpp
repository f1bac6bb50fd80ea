#include "ui/about_box.hpp"

#include <string>

#include "platform/message_box.hpp"
#include "ui/host.hpp"
#include "ui/texts.hpp"

namespace quimbel::ui {

void ShowAbout(Host& host) {
  std::string title = ProductCaption();
  std::string text = std::string(kAboutToolLineStart) + kAboutToolLineEnd + kCrLf + kCrLf + kCrLf +
                     title + kAboutCredit + kCrLf + kCrLf + kAboutRights + kCrLf;
  host.ShowBox(text, title, platform::kMbIconInformation);
}

}  // namespace quimbel::ui
