#include "engine/frame.hpp"

#include "app/program.hpp"
#include "base/rounding.hpp"
#include "engine/cast.hpp"
#include "engine/raster.hpp"

namespace quimbel::engine {
namespace {

constexpr int kImprintingSaverType = 1;

const Surface& Sheet(const SaverState& saver, int kind) {
  if (kind < 0 || kind >= static_cast<int>(saver.pat.size()) || saver.pat[kind] == nullptr)
    throw base::RuntimeError::SubscriptOutOfRange();
  return *saver.pat[kind];
}

// Mask with SRCERASE, then the second cell with SRCINVERT, both onto the same
// rectangle: where the mask is black the second cell shows, where it is white
// the destination comes back as it was (for a white second cell).
void MaskAndDraw(Surface& dst, int x, int y, int width, int height, const Surface& sheet, int maskX,
                 int maskY, int imageX, int imageY) {
  MaskedStretchBlt(dst, x, y, width, height, sheet, maskX, maskY, imageX, imageY);
}

}  // namespace

void ComposeFrame(app::Program& program) {
  SaverState& saver = program.saver;
  const int width = program.run.ScreenWidthPx;
  const int height = program.run.ScreenHeightPx;
  BitBlt(saver.scr_work, 0, 0, width, height, saver.scr_bkg, 0, 0, RasterOp::kSrcCopy);
  const int count = UsedSlots(program);
  if (count > 0 && program.settings.SaverType == kImprintingSaverType)
    program.platform.random.Reseed();
  for (int i = 0; i < count; ++i)
    AdvanceCharacter(program, i);
  saver.frmDisp->Present(saver.scr_work);
}

void DrawCharacter(app::Program& program, int i, int c, int facing, base::Int16 cellWidth,
                   base::Int16 cellHeight) {
  SaverState& saver = program.saver;
  const CaraState& slot = saver.caraTable[i];
  const base::Int16 width = cellWidth * facing;
  const base::Int16 sourceX = cellWidth * c;
  const Surface& sheet = Sheet(saver, slot.Kind);
  MaskAndDraw(saver.scr_work, slot.PosX, slot.PosY, width, cellHeight, sheet, sourceX, cellHeight,
              sourceX, 0);
  if (program.settings.SaverType != kImprintingSaverType)
    return;
  if (base::Int(program.platform.random.Next() * ImprintOdds) != 0)
    return;
  // Both steps from the mask leave background AND mask: a black silhouette.
  MaskAndDraw(saver.scr_bkg, slot.PosX, slot.PosY, width, cellHeight, sheet, sourceX, cellHeight,
              sourceX, cellHeight);
}

}  // namespace quimbel::engine
