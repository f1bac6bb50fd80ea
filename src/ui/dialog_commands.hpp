#pragma once
// What the settings dialog's buttons and menus do.
#include <string>

#include "base/int16.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::ui {

class Host;

// CommandButton(index): 0 Change (ask, store, close), 1 Help, 2 Exit. Any
// run-time error inside shows the error box and leaves the dialog open.
void CommandButtonClick(Host& host, base::Int16 index);
// The menu bar's "登録" and "終了": the same handler as buttons 0 and 2.
void MenuSet(Host& host);
void MenuClose(Host& host);
// Menu_About(index): 0 help window, 1 software introduction, 2 About box.
// Errors are not trapped here.
void MenuAboutClick(Host& host, base::Int16 index);

// The error box's text for a trapped run-time error.
std::string ErrorBoxText(const base::RuntimeError& error);

}  // namespace quimbel::ui
