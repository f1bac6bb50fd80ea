#include "ui/settings_dialog.hpp"

#include "app/program.hpp"

namespace quimbel::ui {

// Placeholder until the dialog exists.
void ShowSettingsDialog(app::Program&) {}

}  // namespace quimbel::ui
