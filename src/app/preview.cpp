#include "app/preview.hpp"

#include "app/program.hpp"
#include "assets/pictures.hpp"
#include "base/twips.hpp"

namespace quimbel::app {

void CreatePreviewWindow(app::Program& program) {
  program.saver.frmPrev = program.platform.previews.CreatePreviewWindow();
  program.saver.frmPrev->AddChildStyle();
  program.saver.frmPrev->SetParent(program.run.HostHandle);
}

void StartPreview(app::Program& program) {
  const app::RunValues& run = program.run;
  platform::PreviewWindow& window = *program.saver.frmPrev;
  // The pane's size came in twips (app/main_entry).
  const double tpp = base::TwipsPerPixel(program.platform.screen.PrimaryMonitorScale());
  window.SetBoundsPx(base::TwipsToPixels(run.OriginX, tpp), base::TwipsToPixels(run.OriginY, tpp),
                     base::TwipsToPixels(run.ScreenWidthPx, tpp),
                     base::TwipsToPixels(run.ScreenHeightPx, tpp));
  // Unscaled at the top left on black: a small pane cuts it, a large one
  // leaves black strips.
  window.SetPicture(assets::PreviewPicture());
  window.Show();
}

}  // namespace quimbel::app
