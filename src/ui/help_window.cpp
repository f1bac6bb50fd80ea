#include "ui/help_window.hpp"

#include <string>

#include "assets/pictures.hpp"
#include "ui/host.hpp"
#include "ui/placement.hpp"
#include "ui/texts.hpp"
#include "ui/windows.hpp"

namespace quimbel::ui {
namespace {

void CreateHelpWindow(Host& host) {
  HelpWindow& w = host.Windows().frmHelp;
  w.form = host.Services().forms.CreateForm("frmHelp");
  platform::Form& form = *w.form;
  form.SetCaption(kHelpCaption);
  form.SetIcon(assets::HelpIcon());
  form.SetOnCloseRequest(host.Guarded([&host] { CloseHelpWindow(host); }));

  w.textInformation =
      &form.AddTextBox("TextInformation", {.multiLine = true, .verticalScroll = true});
  w.textInformation->SetFontFace(kMinchoFace);
  w.textInformation->SetFontBold(false);
  w.textInformation->SetText(HelpText());

  w.commandButton = &form.AddPushButton("CommandButton");
  w.commandButton->SetFontFace(kMinchoFace);
  w.commandButton->SetFontBold(true);
  w.commandButton->SetText("ＯＫ！");
  w.commandButton->SetOnClick(host.Guarded([&host] { CloseHelpWindow(host); }));

  for (std::size_t n = 0; n < w.image1.size(); ++n) {
    w.image1[n] = &form.AddImage("Image1(" + std::to_string(n) + ")", false);
    w.image1[n]->SetPicture(assets::Portrait(static_cast<int>(n)));
  }
}

}  // namespace

void ShowHelpWindow(Host& host) {
  platform::Screen& screen = host.Services().screen;
  HelpWindow& w = host.Windows().frmHelp;
  if (!w.form)
    CreateHelpWindow(host);

  FitClientAndCentre(screen, *w.form, 640, 430);
  PlaceControl(screen, *w.textInformation, 9, 625, 320, 10, 10);
  PlaceControl(screen, *w.commandButton, 10, 60, 60, 575, 340);
  for (std::size_t i = 0; i < w.image1.size(); ++i)
    SetBounds(*w.image1[i], 80, 80, static_cast<int>(10 + 80 * i), 340);
  w.form->Show();
}

}  // namespace quimbel::ui
