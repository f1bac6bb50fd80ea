#include "ui/dialog_commands.hpp"

#include "app/program.hpp"
#include "app/settings.hpp"
#include "base/numeric_text.hpp"
#include "base/rounding.hpp"
#include "platform/message_box.hpp"
#include "ui/about_box.hpp"
#include "ui/help_window.hpp"
#include "ui/intro_window.hpp"
#include "ui/texts.hpp"
#include "ui/windows.hpp"

namespace quimbel::ui {
namespace {

constexpr const char* kConfirmText = "変更しますか。";
constexpr const char* kErrorCaption = "エラー";

void CloseAll(app::Program& program) {
  CloseSettingsDialog(program);
  CloseIntroWindow(program);
  CloseHelpWindow(program);
}

void Change(app::Program& program) {
  int flags = platform::kMbYesNo + platform::kMbIconQuestion + platform::kMbDefaultButton2;
  std::optional<int> answer =
      program.boxes.Show(std::string(kConfirmText) + kCrLf, ProductCaption(), flags);
  if (answer != platform::kIdYes)
    return;
  // The window may have gone while the box was open (its close box stays
  // usable on some platforms); then there is nothing to read.
  SettingsWindow& w = program.ui.frmSet;
  if (!w.form)
    return;

  app::SaverSettings& s = program.settings;
  int countIndex = w.comboCarasu->ListIndex();
  std::string countText = countIndex >= 0 ? w.comboCarasu->ItemText(countIndex) : std::string();
  s.CaraCount = base::CInt16(base::ReadNumericPrefix(countText));
  s.CaraType = w.comboType->ListIndex();
  if (w.optionType[0]->Value())
    s.SaverType = 1;
  else if (w.optionType[1]->Value())
    s.SaverType = 2;
  else
    s.SaverType = 3;
  for (int i = 0; i < static_cast<int>(w.optionMusic.size()); ++i) {
    if (w.optionMusic[static_cast<std::size_t>(i)]->Value()) {
      s.MusicMode = i;
      break;
    }
  }
  app::SaveSettings(program);
  CloseAll(program);
}

}  // namespace

std::string ErrorBoxText(const base::RuntimeError& error) {
  int number = error.Number();
  std::string numberText =
      number < 0 ? std::to_string(number) : " " + std::to_string(number);  // the sign's place
  return "エラー番号 = " + numberText + "、" + error.Source() + " でエラーが発生しました。 \r" +
         error.Description();
}

void CommandButtonClick(app::Program& program, base::Int16 index) {
  try {
    switch (index) {
      case 0:
        Change(program);
        break;
      case 1:
        ShowHelpWindow(program);
        break;
      case 2:
        CloseAll(program);
        break;
      default:
        break;
    }
  } catch (const base::RuntimeError& error) {
    program.boxes.Show(ErrorBoxText(error), kErrorCaption, platform::kMbOk, error.HelpFile(),
                       error.HelpContext());
  }
}

void MenuSet(app::Program& program) {
  CommandButtonClick(program, 0);
}

void MenuClose(app::Program& program) {
  CommandButtonClick(program, 2);
}

void MenuAboutClick(app::Program& program, base::Int16 index) {
  switch (index) {
    case 0:
      ShowHelpWindow(program);
      break;
    case 1:
      ShowIntroWindow(program);
      break;
    case 2:
      ShowAbout(program);
      break;
    default:
      break;
  }
}

}  // namespace quimbel::ui
