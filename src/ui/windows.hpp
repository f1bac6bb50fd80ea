#pragma once
// What every window of the dialog run shares: closing windows (the program
// ends with its last one). Their handlers go through app::Guarded.

namespace quimbel::app {
class Program;
}

namespace quimbel::ui {

inline constexpr const char* kMinchoFace = "ＭＳ 明朝";
inline constexpr const char* kGothicFace = "ＭＳ Ｐゴシック";

// Each discards its window, if open; when no window of the dialog run is left
// the program ends.
void CloseSettingsDialog(app::Program& program);
void CloseHelpWindow(app::Program& program);
void CloseIntroWindow(app::Program& program);

}  // namespace quimbel::ui
