#include "ui/settings_dialog.hpp"

#include <array>
#include <string>

#include "assets/pictures.hpp"
#include "ui/dialog_commands.hpp"
#include "ui/host.hpp"
#include "ui/placement.hpp"
#include "ui/texts.hpp"
#include "ui/window_titles.hpp"
#include "ui/windows.hpp"

namespace quimbel::ui {
namespace {

using platform::Colour;

constexpr std::array<const char*, 4> kRowLabels = {"セイバータイプ", "ミュージック", "キャラの数",
                                                   "　　〃　　種類"};
constexpr std::array<const char*, 3> kSaverTypes = {"デスクトップ１", "ブラック", "デスクトップ２"};
constexpr std::array<const char*, 3> kMusicModes = {"Off", "Wav", "Mid"};
constexpr int kMaxCaraCount = 50;

constexpr Colour kTeal = Colour::FromRgb(0, 192, 192);
constexpr Colour kGrey = Colour::FromRgb(192, 192, 192);
constexpr Colour kDarkTeal = Colour::FromRgb(0, 128, 128);

template <class T>
T& Styled(T& control, bool bold) {
  control.SetFontFace(kMinchoFace);
  control.SetFontBold(bold);
  return control;
}

std::string Indexed(const char* name, std::size_t index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

// A stored value outside the range a group offers (only a hand-edited store
// holds one) selects the default's entry, so the dialog always opens usable.
int InRangeOr(int value, int low, int high, int fallback) {
  return value >= low && value <= high ? value : fallback;
}

}  // namespace

void ShowSettingsDialog(Host& host) {
  platform::Screen& screen = host.Services().screen;
  SettingsWindow& w = host.Windows().frmSet;
  if (w.form) {
    // Start-up refuses a second dialog; a repeated call only brings it forward.
    w.form->Show();
    return;
  }

  // The window with its controls and menus, hidden: the menu bar must exist
  // before the client area is measured.
  w.form = host.Services().forms.CreateForm("frmSet");
  platform::Form& form = *w.form;
  form.SetCaption(kSettingsWindowTitle);
  form.SetIcon(assets::ProgramIcon());
  form.SetOnCloseRequest(host.Guarded([&host] { CloseSettingsDialog(host); }));

  platform::Label& title = Styled(form.AddLabel("LabelTitle"), true);
  title.SetText("くいんべるスクリーンセイバー　設定");
  title.SetBackColour(kDarkTeal);

  platform::Panel& select = form.AddPanel("PictureSelect", true);
  select.SetBackColour(kTeal);
  std::array<platform::Label*, 4> rowLabels{};
  for (std::size_t i = 0; i < rowLabels.size(); ++i) {
    rowLabels[i] = &Styled(select.AddLabel(Indexed("LabelType", i)), true);
    rowLabels[i]->SetText(kRowLabels[i]);
    rowLabels[i]->SetBackColour(kTeal);
  }
  platform::Panel& typePanel = select.AddPanel("PictureType", false);
  typePanel.SetBackColour(kGrey);
  for (std::size_t i = 0; i < w.optionType.size(); ++i) {
    w.optionType[i] = &Styled(typePanel.AddOptionButton(Indexed("OptionType", i)), true);
    w.optionType[i]->SetText(kSaverTypes[i]);
    w.optionType[i]->SetBackColour(kGrey);
  }
  platform::Panel& musicPanel = select.AddPanel("PictureMusic", false);
  musicPanel.SetBackColour(kGrey);
  for (std::size_t i = 0; i < w.optionMusic.size(); ++i) {
    w.optionMusic[i] = &Styled(musicPanel.AddOptionButton(Indexed("OptionMusic", i)), true);
    w.optionMusic[i]->SetText(kMusicModes[i]);
    w.optionMusic[i]->SetBackColour(kGrey);
  }
  w.comboCarasu = &Styled(select.AddDropDownList("ComboCarasu"), false);
  w.comboType = &Styled(select.AddDropDownList("ComboType"), false);

  constexpr std::array<const char*, 3> kButtons = {"変更", "ヘルプ", "終了"};
  std::array<platform::PushButton*, 3> buttons{};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i] = &Styled(form.AddPushButton(Indexed("CommandButton", i)), true);
    buttons[i]->SetText(kButtons[i]);
    base::Int16 index = static_cast<int>(i);
    buttons[i]->SetOnClick(host.Guarded([&host, index] { CommandButtonClick(host, index); }));
  }
  platform::ImageControl& image = form.AddImage("Image1", false);
  image.SetPicture(assets::DialogPicture());

  form.AddMenuCommand("終了(&X&ｻ)", host.Guarded([&host] { MenuClose(host); }));
  form.AddMenuCommand("登録(&S&ﾄ)", host.Guarded([&host] { MenuSet(host); }));
  platform::Submenu& help = form.AddSubmenu("ﾍﾙﾌﾟ(&H&ｸ)");
  constexpr std::array<const char*, 3> kHelpItems = {"使い方(&H&ｸ)", "ｿﾌﾄ紹介(&E&ｲ)",
                                                     "ﾊﾞｰｼﾞｮﾝ(&A)"};
  for (std::size_t i = 0; i < kHelpItems.size(); ++i) {
    base::Int16 index = static_cast<int>(i);
    help.AddItem(kHelpItems[i], host.Guarded([&host, index] { MenuAboutClick(host, index); }));
  }

  FitClientAndCentre(screen, form, 540, 330);

  PlaceControl(screen, title, 16, 520, 30, 10, 10);
  SetBounds(select, 520, 180, 10, 50);
  SetBounds(typePanel, 360, 33, 144, 16);
  SetBounds(musicPanel, 360, 33, 144, 56);
  for (std::size_t i = 0; i < rowLabels.size(); ++i)
    PlaceControl(screen, *rowLabels[i], 11, 130, 33, 10, static_cast<int>(20 + 40 * i));
  for (std::size_t i = 0; i < w.optionType.size(); ++i)
    PlaceControl(screen, *w.optionType[i], 9, 118, 33, static_cast<int>(118 * i), 0);
  PlaceCombo(screen, *w.comboCarasu, 14, 90, 144, 100);
  PlaceCombo(screen, *w.comboType, 14, 180, 144, 136);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    PlaceControl(screen, *buttons[i], 11, 105, 40, static_cast<int>(216 + 104 * i), 255);

  const SaverSettings& s = host.Settings();
  const SaverSettings defaults = host.DefaultSettings();
  int saverType = InRangeOr(s.SaverType, 1, 3, defaults.SaverType);
  w.optionType[static_cast<std::size_t>(saverType - 1)]->SetValue(true);

  for (int n = 1; n <= kMaxCaraCount; ++n)
    w.comboCarasu->AddItem(std::to_string(n));
  int count = InRangeOr(s.CaraCount, 1, kMaxCaraCount, defaults.CaraCount);
  std::string countText = std::to_string(count);
  for (int p = 0; p < w.comboCarasu->ItemCount(); ++p) {
    if (w.comboCarasu->ItemText(p) == countText)
      w.comboCarasu->SetListIndex(p);
  }

  for (const char* name : kCastNames)
    w.comboType->AddItem(name);
  w.comboType->AddItem("(ランダム)");
  w.comboType->AddItem("(オールキャスト)");
  int caraType = InRangeOr(s.CaraType, 0, w.comboType->ItemCount() - 1, defaults.CaraType);
  w.comboType->SetListIndex(caraType);

  for (std::size_t i = 0; i < w.optionMusic.size(); ++i)
    PlaceControl(screen, *w.optionMusic[i], 11, 118, 33, static_cast<int>(118 * i), 0);
  int musicMode = InRangeOr(s.MusicMode, 0, 2, defaults.MusicMode);
  w.optionMusic[static_cast<std::size_t>(musicMode)]->SetValue(true);

  SetBounds(image, 80, 80, 10, 240);

  form.Show();
}

}  // namespace quimbel::ui
