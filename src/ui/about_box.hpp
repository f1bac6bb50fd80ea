#pragma once
// The About box: version and credits in a modal message box.
namespace quimbel::ui {

class Host;

void ShowAbout(Host& host);

}  // namespace quimbel::ui
