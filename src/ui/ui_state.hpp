#pragma once
// The dialog run's open windows: the settings dialog frmSet, the help window
// frmHelp and the software-introduction window salesf. A window exists while
// its form pointer is set; the control pointers belong to that form.
#include <array>
#include <memory>

#include "assets/pictures.hpp"
#include "platform/forms.hpp"

namespace quimbel::ui {

struct SettingsWindow {
  std::unique_ptr<platform::Form> form;
  std::array<platform::OptionButton*, 3> optionType{};
  std::array<platform::OptionButton*, 3> optionMusic{};
  platform::DropDownList* comboCarasu = nullptr;
  platform::DropDownList* comboType = nullptr;
};

struct HelpWindow {
  std::unique_ptr<platform::Form> form;
  platform::TextBox* textInformation = nullptr;
  platform::PushButton* commandButton = nullptr;
  std::array<platform::ImageControl*, assets::kCastSize> image1{};
};

struct IntroWindow {
  std::unique_ptr<platform::Form> form;
  platform::Panel* picture1 = nullptr;
  platform::TextBox* textInformation = nullptr;
  platform::ImageControl* picture2 = nullptr;
  platform::Label* label1 = nullptr;
  platform::TextBox* textAddress = nullptr;
  platform::PushButton* command1 = nullptr;
  std::array<platform::ImageControl*, assets::kCyclists> imageSensyu{};
  // The cyclists' left edges keep their fractions; the controls show them
  // rounded to whole pixels.
  std::array<double, assets::kCyclists> cyclistX{};
  std::array<int, assets::kCyclists> cyclistY{};
};

struct UiState {
  SettingsWindow frmSet;
  HelpWindow frmHelp;
  IntroWindow salesf;
};

}  // namespace quimbel::ui
