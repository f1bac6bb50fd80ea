#include "ui/windows.hpp"

#include "app/program.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::ui {
namespace {

void EndIfNoWindowLeft(app::Program& program) {
  const UiState& ui = program.ui;
  if (!ui.frmSet.form && !ui.frmHelp.form && !ui.salesf.form && !program.ended)
    program.End(0);
}

}  // namespace

platform::Handler Guarded(app::Program& program, std::function<void()> handler) {
  return [&program, handler = std::move(handler)] {
    // The handler may discard the window that holds this wrapper: keep what
    // is needed afterwards on the stack.
    app::Program& p = program;
    if (p.ended)
      return;
    try {
      handler();
    } catch (const base::RuntimeError& error) {
      p.platform.process.ReportUntrappedError(error);
      p.End(1);
    }
  };
}

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
