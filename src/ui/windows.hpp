#pragma once
// What every window of the dialog run shares: handlers that act only while
// the program lives, and closing windows (the program ends with its last one).
#include <functional>

#include "platform/forms.hpp"

namespace quimbel::app {
class Program;
}

namespace quimbel::ui {

inline constexpr const char* kMinchoFace = "ＭＳ 明朝";
inline constexpr const char* kGothicFace = "ＭＳ Ｐゴシック";

// Wraps a core handler for a port: it does nothing once the process was told
// to end, and a run-time error that the handler does not trap itself ends the
// program with the run-time error report, as an untrapped error does anywhere.
platform::Handler Guarded(app::Program& program, std::function<void()> handler);

// Each discards its window, if open; when no window of the dialog run is left
// the program ends.
void CloseSettingsDialog(app::Program& program);
void CloseHelpWindow(app::Program& program);
void CloseIntroWindow(app::Program& program);

}  // namespace quimbel::ui
