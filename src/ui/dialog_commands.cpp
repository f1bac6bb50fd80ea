#include "ui/dialog_commands.hpp"

#include "base/numeric_text.hpp"
#include "base/rounding.hpp"
#include "platform/message_box.hpp"
#include "ui/about_box.hpp"
#include "ui/help_window.hpp"
#include "ui/host.hpp"
#include "ui/intro_window.hpp"
#include "ui/texts.hpp"
#include "ui/windows.hpp"

namespace quimbel::ui {
namespace {

constexpr const char* kConfirmText = "変更しますか。";
constexpr const char* kErrorCaption = "エラー";

void CloseAll(Host& host) {
  CloseSettingsDialog(host);
  CloseIntroWindow(host);
  CloseHelpWindow(host);
}

void Change(Host& host) {
  int flags = platform::kMbYesNo + platform::kMbIconQuestion + platform::kMbDefaultButton2;
  std::optional<int> answer =
      host.ShowBox(std::string(kConfirmText) + kCrLf, ProductCaption(), flags);
  if (answer != platform::kIdYes)
    return;
  // The window may have gone while the box was open (its close box stays
  // usable on some platforms); then there is nothing to read.
  SettingsWindow& w = host.Windows().frmSet;
  if (!w.form)
    return;

  SaverSettings& s = host.Settings();
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
  host.SaveSettings();
  CloseAll(host);
}

}  // namespace

std::string ErrorBoxText(const base::RuntimeError& error) {
  int number = error.Number();
  std::string numberText =
      number < 0 ? std::to_string(number) : " " + std::to_string(number);  // the sign's place
  return "エラー番号 = " + numberText + "、" + error.Source() + " でエラーが発生しました。 \r" +
         error.Description();
}

void CommandButtonClick(Host& host, base::Int16 index) {
  try {
    switch (index) {
      case 0:
        Change(host);
        break;
      case 1:
        ShowHelpWindow(host);
        break;
      case 2:
        CloseAll(host);
        break;
      default:
        break;
    }
  } catch (const base::RuntimeError& error) {
    host.ShowBox(ErrorBoxText(error), kErrorCaption, platform::kMbOk, error.HelpFile(),
                 error.HelpContext());
  }
}

void MenuSet(Host& host) {
  CommandButtonClick(host, 0);
}

void MenuClose(Host& host) {
  CommandButtonClick(host, 2);
}

void MenuAboutClick(Host& host, base::Int16 index) {
  switch (index) {
    case 0:
      ShowHelpWindow(host);
      break;
    case 1:
      ShowIntroWindow(host);
      break;
    case 2:
      ShowAbout(host);
      break;
    default:
      break;
  }
}

}  // namespace quimbel::ui
