#pragma once
// The settings dialog frmSet.
namespace quimbel::app {
class Program;
}

namespace quimbel::ui {

// Lays frmSet out, fills its lists, selects the current settings (a value
// outside its range selects the default's entry) and shows it without
// blocking.
void ShowSettingsDialog(app::Program& program);

}  // namespace quimbel::ui
