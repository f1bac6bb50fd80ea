#include "app/saver_start.hpp"

#include "app/display_power.hpp"
#include "app/music_timer.hpp"
#include "app/program.hpp"
#include "app/scene.hpp"
#include "app/tick.hpp"
#include "assets/pictures.hpp"
#include "ui/window_titles.hpp"

namespace quimbel::app {

using base::kBlack;
using base::Pixel;
using engine::kCastSize;
using engine::SaverState;

namespace {

// The focus holder lies just left of the visible area, yet takes every key.
constexpr int kFocusHolderSize = 30;
constexpr int kFocusHolderLeft = -50;

}  // namespace

void StartSaver(app::Program& program) {
  SaverState& saver = program.saver;
  const app::RunValues& run = program.run;
  platform::Screen& screen = program.platform.screen;
  for (int kind = 0; kind < kCastSize; ++kind) {
    if (saver.pat[kind] == nullptr)
      saver.pat[kind] = &assets::SpriteSheet(kind);
  }

  // Before anything of ours is on the screen; let go of after the first frame
  // (engine/scene).
  screen.HoldDesktop({run.OriginX, run.OriginY, run.OriginX + run.ScreenWidthPx,
                      run.OriginY + run.ScreenHeightPx});
  saver.events = MakeSaverEvents(program);
  saver.frmDisp = program.platform.savers.CreateSaverWindow(ui::kSaverWindowTitle, *saver.events);
  platform::SaverWindow& window = *saver.frmDisp;
  window.StartTimer(platform::SaverTimer::k1, kAnimationTickMs);
  StartMusicPoll(program);
  // The area is in pixels already: no twips on the way, so nothing rounds.
  window.SetSizePx(run.ScreenWidthPx, run.ScreenHeightPx);
  // Shown first beyond the bottom-right corner, so nothing flashes while the
  // focus is given.
  window.SetPositionPx(run.OriginX + run.ScreenWidthPx, run.OriginY + run.ScreenHeightPx);
  window.SetFocusHolderBounds(kFocusHolderSize, kFocusHolderSize, kFocusHolderLeft, 0);
  window.Show();
  window.FocusHolder();
  window.SetNormalState();
  window.SetPositionPx(run.OriginX, run.OriginY);
  // Frames are composed where the window presents them from, if it offers.
  if (Pixel* memory = window.FrameMemory(run.ScreenWidthPx, run.ScreenHeightPx))
    saver.scr_work.Wrap(memory, run.ScreenWidthPx, run.ScreenHeightPx, kBlack);
  else
    saver.scr_work.Reset(run.ScreenWidthPx, run.ScreenHeightPx, kBlack);
  saver.scr_bkg.Reset(run.ScreenWidthPx, run.ScreenHeightPx, kBlack);
  window.SetPointer(assets::InvisiblePointer());

  // Unchecked queries: a failure keeps what the buffers held.
  screen.CaretPos(saver.CaretPoint);
  saver.StartCaretX = saver.CaretPoint.x;
  saver.StartCaretY = saver.CaretPoint.y;
  screen.CursorPos(saver.CursorPoint);
  saver.StartCursorX = saver.CursorPoint.x;
  saver.StartCursorY = saver.CursorPoint.y;

  SetUpScene(program);
  window.Show();
  window.MakeTopmost();
}

}  // namespace quimbel::app
