#include "ui/windows.hpp"

#include "ui/host.hpp"

namespace quimbel::ui {
namespace {

void EndIfNoWindowLeft(Host& host) {
  const UiState& ui = host.Windows();
  if (!ui.frmSet.form && !ui.frmHelp.form && !ui.salesf.form && !host.Ended())
    host.End(0);
}

}  // namespace

void CloseSettingsDialog(Host& host) {
  if (!host.Windows().frmSet.form)
    return;
  host.Windows().frmSet = SettingsWindow{};
  EndIfNoWindowLeft(host);
}

void CloseHelpWindow(Host& host) {
  if (!host.Windows().frmHelp.form)
    return;
  host.Windows().frmHelp = HelpWindow{};
  EndIfNoWindowLeft(host);
}

void CloseIntroWindow(Host& host) {
  if (!host.Windows().salesf.form)
    return;
  host.Windows().salesf = IntroWindow{};
  EndIfNoWindowLeft(host);
}

}  // namespace quimbel::ui
