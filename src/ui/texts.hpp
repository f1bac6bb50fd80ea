#pragma once
// The dialog run's fixed texts.
#include <array>
#include <string>

#include "assets/pictures.hpp"

namespace quimbel::ui {

inline constexpr const char* kProductTitle = "くいんべる　スクリーンセイバー";
inline constexpr const char* kVersionText = "Ver1.40";
inline constexpr const char* kCrLf = "\r\n";

// The cast in character-number order, as the dialog's list and the help text
// name them.
inline constexpr std::array<const char*, assets::kCastSize> kCastNames = {
    "ころみゅう", "耳ながおじさん", "ギアボン", "ピコラタ", "ぺぷちん", "くいんべる", "ズンベラ君",
};

// The caption of the program's message boxes: title, one blank, version.
std::string ProductCaption();

// The About box's own texts. The tool line is kept as two pieces joined
// directly; the second starts with a blank.
extern const char* const kAboutToolLineStart;
extern const char* const kAboutToolLineEnd;
extern const char* const kAboutCredit;  // starts with two blanks
extern const char* const kAboutRights;

// The help window's text, lines separated by CR LF.
std::string HelpText();

// The software-introduction window: the list of titles (lines separated by
// CR LF) and the web address (followed by CR LF).
std::string IntroTitles();
std::string IntroAddress();

}  // namespace quimbel::ui
