#pragma once
// What every window of the dialog run shares: closing windows (the program
// ends with its last one). Their handlers go through Host::Guarded.

namespace quimbel::ui {

class Host;

inline constexpr const char* kMinchoFace = "ＭＳ 明朝";
inline constexpr const char* kGothicFace = "ＭＳ Ｐゴシック";

// Each discards its window, if open; when no window of the dialog run is left
// the program ends.
void CloseSettingsDialog(Host& host);
void CloseHelpWindow(Host& host);
void CloseIntroWindow(Host& host);

}  // namespace quimbel::ui
