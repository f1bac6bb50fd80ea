#include "ui/intro_window.hpp"

#include <string>

#include "assets/pictures.hpp"
#include "base/rounding.hpp"
#include "base/twips.hpp"
#include "ui/host.hpp"
#include "ui/placement.hpp"
#include "ui/texts.hpp"
#include "ui/windows.hpp"

namespace quimbel::ui {
namespace {

constexpr int kTimerMs = 10;
constexpr double kRestartX = 336;

void CreateIntroWindow(Host& host) {
  IntroWindow& w = host.Windows().salesf;
  w.form = host.Services().forms.CreateForm("salesf");
  platform::Form& form = *w.form;
  form.SetCaption(kIntroCaption);
  form.SetIcon(assets::CyclistIcon());
  form.SetBackColour(platform::Colour::FromRgb(0, 192, 192));
  form.SetOnCloseRequest(host.Guarded([&host] { CloseIntroWindow(host); }));

  w.picture1 = &form.AddPanel("Picture1", true);
  w.picture1->SetBackColour(platform::Colour::System(platform::Colour::Role::ButtonFace));
  platform::Panel& panel = *w.picture1;

  w.textInformation =
      &panel.AddTextBox("TextInformation", {.multiLine = true, .verticalScroll = true});
  w.textInformation->SetFontFace(kGothicFace);
  w.textInformation->SetFontBold(false);
  w.textInformation->SetText(IntroTitles());

  w.picture2 = &panel.AddImage("Picture2", true);
  w.picture2->SetPicture(assets::Logo());

  w.label1 = &panel.AddLabel("Label1");
  w.label1->SetFontFace(kMinchoFace);
  w.label1->SetFontBold(false);
  w.label1->SetBackColour(platform::Colour::System(platform::Colour::Role::WindowBackground));
  w.label1->SetForeColour(platform::Colour::System(platform::Colour::Role::WindowText));

  w.textAddress = &panel.AddTextBox("TextAddress", {});
  w.textAddress->SetFontFace(kGothicFace);
  w.textAddress->SetFontBold(false);
  w.textAddress->SetFontSize(9);  // fixed: the address box is not rescaled
  w.textAddress->SetBackColour(platform::Colour::FromRgb(255, 255, 255));
  w.textAddress->SetText(IntroAddress());

  w.command1 = &panel.AddPushButton("Command1");
  w.command1->SetFontFace(kMinchoFace);
  w.command1->SetFontBold(false);
  w.command1->SetText("ＯＫ！");
  w.command1->SetOnClick(host.Guarded([&host] { CloseIntroWindow(host); }));

  for (std::size_t i = 0; i < w.imageSensyu.size(); ++i) {
    w.imageSensyu[i] = &panel.AddImage("ImageSensyu(" + std::to_string(i) + ")", false);
    w.imageSensyu[i]->SetIcon(assets::Cyclist(static_cast<int>(i)));
  }
  form.StartTimer(kTimerMs, host.Guarded([&host] { CyclistTick(host); }));
}

void SetUpIntroWindow(Host& host) {
  platform::Screen& screen = host.Services().screen;
  IntroWindow& w = host.Windows().salesf;
  FitClientAndCentre(screen, *w.form, 502, 394);
  w.label1->SetText("URL Address …");
  SetBounds(*w.picture1, 470, 360, 16, 16);
  SetBounds(*w.picture2, 50, 50, 370, 32);
  SetBounds(*w.textAddress, 240, 18, 120, 328);
  PlaceControl(screen, *w.textInformation, 9, 433, 255, 16, 16);
  PlaceControl(screen, *w.label1, 10, 100, 17, 20, 328);
  for (std::size_t i = 0; i < w.imageSensyu.size(); ++i) {
    int x = 240 - 32 * static_cast<int>(i);
    int y = 300 - 8 * static_cast<int>(i);
    w.cyclistX[i] = x;
    w.cyclistY[i] = y;
    SetBounds(*w.imageSensyu[i], 32, 32, x, y);
  }
  PlaceControl(screen, *w.command1, 12, 65, 33, 384, 312);
}

}  // namespace

void ShowIntroWindow(Host& host) {
  if (!host.Windows().salesf.form) {
    CreateIntroWindow(host);
    SetUpIntroWindow(host);
  }
  host.Windows().salesf.form->Show();
}

void CyclistTick(Host& host) {
  IntroWindow& w = host.Windows().salesf;
  if (!w.form)
    return;
  platform::Random& random = host.Services().random;
  // The step is a fixed physical distance: 200 twips at most, whatever the
  // screen's density.
  base::Int16 u = base::CInt16(base::TwipsPerPixel(host.Services().screen.PrimaryMonitorScale()));
  random.Reseed();
  for (std::size_t i = 0; i < w.imageSensyu.size(); ++i) {
    double r = random.Next();
    w.cyclistX[i] = w.cyclistX[i] - r * 200 / u;
    if (100.0 / u > w.cyclistX[i])
      w.cyclistX[i] = kRestartX;
    w.imageSensyu[i]->SetLeft(base::CInt16(w.cyclistX[i]));
  }
}

}  // namespace quimbel::ui
