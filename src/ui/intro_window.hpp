#pragma once
// The software-introduction window salesf, with its four racing cyclists.
namespace quimbel::ui {

class Host;

inline constexpr const char* kIntroCaption = "作者ソフト紹介";

// Creates and sets up the window when it is not open, then shows it; an open
// window is only brought forward, its cyclists riding on where they are.
void ShowIntroWindow(Host& host);

// One step of the cyclists (the window's 10 ms timer).
void CyclistTick(Host& host);

}  // namespace quimbel::ui
