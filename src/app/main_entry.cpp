#include "app/main_entry.hpp"

#include "app/command_line.hpp"
#include "app/event_boundary.hpp"
#include "app/hosted_run.hpp"
#include "app/preview.hpp"
#include "app/saver_area.hpp"
#include "app/saver_start.hpp"
#include "app/settings.hpp"
#include "base/rounding.hpp"
#include "base/twips.hpp"
#include "engine/scene_scale.hpp"
#include "platform/preview_window.hpp"
#include "ui/settings_dialog.hpp"
#include "ui/window_titles.hpp"

namespace quimbel::app {
namespace {

std::string WithTrailingSeparator(std::string path, char separator) {
  if (path.empty() || path.back() != separator)
    path.push_back(separator);
  return path;
}

void DispatchSaver(Program& program) {
  RunValues& run = program.run;
  platform::Screen& screen = program.platform.screen;
  run.IsSaverMode = base::kTrue16;
  if (program.settings.CaraType == engine::kCaraTypeDrawnByLot) {
    program.platform.random.Reseed();
    run.RandomCaraType =
        base::CInt16(base::Int(program.platform.random.Next() * engine::kCastSize));
  }
  // One scene over every monitor, at one scale: the primary monitor's, where
  // the user sits. A desktop too large for 16-bit positions is covered as far
  // as they reach instead of ending in an overflow.
  run.SceneScale = engine::SceneScaleFor(screen.PrimaryMonitorScale());
  SaverArea area = FitSaverArea(screen.DesktopPx(), screen.PrimaryMonitorPx(), run.SceneScale);
  run.OriginX = area.left;
  run.OriginY = area.top;
  run.ScreenWidthPx = area.width;
  run.ScreenHeightPx = area.height;
  app::StartSaver(program);
}

void DispatchPreview(Program& program) {
  RunValues& run = program.run;
  platform::Screen& screen = program.platform.screen;
  run.IsSaverMode = base::kFalse16;
  platform::Rect32 rect;
  if (!screen.WindowRect(run.HostHandle, rect)) {
    // A handle that names no window would leave an invisible zero-size
    // preview and a process that never ends: end at once instead.
    program.End(0);
    return;
  }
  run.OriginX = 0;
  run.OriginY = 0;
  std::int32_t width = base::CheckedInt32(static_cast<std::int64_t>(rect.right) - rect.left);
  std::int32_t height = base::CheckedInt32(static_cast<std::int64_t>(rect.bottom) - rect.top);
  const double tpp = base::TwipsPerPixel(screen.PrimaryMonitorScale());
  run.ScreenWidthPx = base::CInt16(tpp * width);
  run.ScreenHeightPx = base::CInt16(tpp * height);
  app::CreatePreviewWindow(program);
  app::StartPreview(program);
}

void DispatchConfigure(Program& program) {
  program.platform.process.ProcessPendingMessages();
  program.run.IsSaverMode = base::kFalse16;
  ui::ShowSettingsDialog(program);
}

}  // namespace

void Main(Program& program) {
  platform::Process& process = program.platform.process;
  std::optional<platform::HostWindow> host = HostWindowOf(program.platform);
  // A daemon decides itself what runs beside what: its hack looks for no
  // other window.
  if (!host) {
    // Both look-ups are always made.
    bool saverOpen = process.TopLevelWindowExists(ui::kSaverWindowTitle);
    bool dialogOpen = process.TopLevelWindowExists(ui::kSettingsWindowTitle);
    if (saverOpen || dialogOpen) {
      program.End(0);
      return;
    }
  }

  program.run.AppPath =
      WithTrailingSeparator(process.ExecutableDirectory(), process.PathSeparator());
  LoadSettings(program);
  if (host) {
    SetUpHostedRun(program, *host);
    DispatchSaver(program);
    return;
  }

  CommandLine line = ParseCommandLine(process.CommandLine());
  program.run.HostHandle = line.handle;
  program.run.Mode = line.mode;
  switch (line.mode) {
    case RunMode::Saver:
      DispatchSaver(program);
      break;
    case RunMode::Preview:
      DispatchPreview(program);
      break;
    case RunMode::Configure:
      DispatchConfigure(program);
      break;
    case RunMode::None:
    case RunMode::Hosted:  // never from a command line
      program.End(0);
      break;
  }
}

int RunMain(Program& program) {
  HandleEvent(program, [&program] { Main(program); });
  // A port whose EndProcess returns (the headless one) learns the code here.
  return program.ended ? program.exitCode : 0;
}

}  // namespace quimbel::app
