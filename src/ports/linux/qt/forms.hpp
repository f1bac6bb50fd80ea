#pragma once
// Qt forms: top-level widgets with a menu bar, panels whose children are
// placed inside their border, and the standard widgets for each control.
#include <memory>
#include <string>
#include <string_view>

#include "platform/forms.hpp"

namespace quimbel::linux_port {

class QtFormFactory : public platform::FormFactory {
 public:
  // waylandSession: the WAYLAND_DISPLAY whose other programs must find the
  // forms by title (TitleLock), or empty where X alone answers.
  explicit QtFormFactory(std::string waylandSession = {})
      : waylandSession_(std::move(waylandSession)) {}
  std::unique_ptr<platform::Form> CreateForm(std::string_view name) override;

 private:
  std::string waylandSession_;
};

// A menu or button caption for Qt: Qt reads '&' the way the program's menus
// mean it, so menu captions pass unchanged; captions of controls, which have
// no access keys, get every '&' doubled so it shows literally.
std::string LiteralAmpersands(std::string_view text);

// Text for Qt's widgets: CR LF (and lone CRs) become LF.
std::string QtLineBreaks(std::string_view text);

}  // namespace quimbel::linux_port
