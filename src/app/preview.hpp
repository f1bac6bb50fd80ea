#pragma once
// The preview run: one still picture inside the host's preview pane.
namespace quimbel::app {

class Program;

// Creates the hidden preview window, gives it the child style and makes the
// host window its parent.
void CreatePreviewWindow(app::Program& program);

// Sizes the preview window to the pane (twips, no conversion) and shows it.
void StartPreview(app::Program& program);

}  // namespace quimbel::app
