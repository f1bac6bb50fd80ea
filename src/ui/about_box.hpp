#pragma once
// The About box: version and credits in a modal message box.
namespace quimbel::app {
class Program;
}

namespace quimbel::ui {

void ShowAbout(app::Program& program);

}  // namespace quimbel::ui
