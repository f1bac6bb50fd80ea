#pragma once
// The settings dialog frmSet.
namespace quimbel::app {
class Program;
}

namespace quimbel::ui {

void ShowSettingsDialog(app::Program& program);

}  // namespace quimbel::ui
