#include "ui/windows.hpp"

#include "app/program.hpp"

namespace quimbel::ui {
namespace {

void EndIfNoWindowLeft(app::Program& program) {
  const UiState& ui = program.ui;
  if (!ui.frmSet.form && !ui.frmHelp.form && !ui.salesf.form && !program.ended)
    program.End(0);
}

}  // namespace

void CloseSettingsDialog(app::Program& program) {
  if (!program.ui.frmSet.form)
    return;
  program.ui.frmSet = SettingsWindow{};
  EndIfNoWindowLeft(program);
}

void CloseHelpWindow(app::Program& program) {
  if (!program.ui.frmHelp.form)
    return;
  program.ui.frmHelp = HelpWindow{};
  EndIfNoWindowLeft(program);
}

void CloseIntroWindow(app::Program& program) {
  if (!program.ui.salesf.form)
    return;
  program.ui.salesf = IntroWindow{};
  EndIfNoWindowLeft(program);
}

}  // namespace quimbel::ui
