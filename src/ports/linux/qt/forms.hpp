#pragma once
// Qt forms: top-level widgets with a menu bar, panels whose children are
// placed inside their border, and the standard widgets for each control.
#include <memory>
#include <string>
#include <string_view>

#include "platform/forms.hpp"
#include "platform/screen.hpp"

namespace quimbel::linux_port {

class QtFormFactory : public platform::FormFactory {
 public:
  // Outer geometry arrives in twips; the screen's factors turn it into pixels.
  explicit QtFormFactory(platform::Screen& screen) : screen_(screen) {}
  std::unique_ptr<platform::Form> CreateForm(std::string_view name) override;

 private:
  platform::Screen& screen_;
};

// A menu or button caption for Qt: Qt reads '&' the way the program's menus
// mean it, so menu captions pass unchanged; captions of controls, which have
// no access keys, get every '&' doubled so it shows literally.
std::string LiteralAmpersands(std::string_view text);

// Text for Qt's widgets: CR LF (and lone CRs) become LF.
std::string QtLineBreaks(std::string_view text);

// Pixels for twips at a twips-per-pixel factor, rounded to the nearest.
int TwipsToPixels(double twips, double perPixel);

}  // namespace quimbel::linux_port
