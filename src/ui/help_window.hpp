#pragma once
// The help window frmHelp: the help text and the cast's portraits.
namespace quimbel::ui {

class Host;

inline constexpr const char* kHelpCaption = "くいんべるスクリーンセイバーについて";

// Opens the help window, or lays it out again and brings it forward when it
// is open: there is only ever one.
void ShowHelpWindow(Host& host);

}  // namespace quimbel::ui
