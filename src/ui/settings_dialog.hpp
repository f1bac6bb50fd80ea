#pragma once
// The settings dialog frmSet.
namespace quimbel::ui {

class Host;

// Lays frmSet out, fills its lists, selects the current settings (a value
// outside its range selects the default's entry) and shows it without
// blocking.
void ShowSettingsDialog(Host& host);

}  // namespace quimbel::ui
