#include "ui/texts.hpp"

namespace quimbel::ui {

const char* const kAboutToolLineStart = "This program was written in C++";
const char* const kAboutToolLineEnd = " for Windows 95, 98, Me, 2000 and XP.";
const char* const kAboutCredit = "  produced by Quimbel Works.";
const char* const kAboutRights = "Copyright (C) Quimbel Works. All rights reserved.";

std::string ProductCaption() {
  return std::string(kProductTitle) + " " + kVersionText;
}

}  // namespace quimbel::ui
