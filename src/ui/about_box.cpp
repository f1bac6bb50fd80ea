#include "ui/about_box.hpp"

#include <string>

#include "app/program.hpp"
#include "platform/message_box.hpp"
#include "ui/texts.hpp"

namespace quimbel::ui {

void ShowAbout(app::Program& program) {
  std::string title = ProductCaption();
  std::string text = std::string(kAboutToolLineStart) + kAboutToolLineEnd + kCrLf + kCrLf + kCrLf +
                     title + kAboutCredit + kCrLf + kCrLf + kAboutRights + kCrLf;
  program.boxes.Show(text, title, platform::kMbIconInformation);
}

}  // namespace quimbel::ui
