#include "app/hosted_run.hpp"

namespace quimbel::app {

std::optional<platform::HostWindow> HostWindowOf(platform::Platform& platform) {
  if (platform.hosting == nullptr)
    return std::nullopt;
  return platform.hosting->HostedIn();
}

bool HostCoversAScreen(const platform::HostWindow& host, const platform::Rect32& rect) {
  if (host.daemonsSaverWindow)
    return true;
  for (const platform::Rect32& m : host.monitors) {
    bool covers = m.right > m.left && m.bottom > m.top && rect.left <= m.left &&
                  rect.top <= m.top && rect.right >= m.right && rect.bottom >= m.bottom;
    if (covers)
      return true;
  }
  return false;
}

void SetUpHostedRun(Program& program, const platform::HostWindow& host) {
  RunValues& run = program.run;
  run.Mode = RunMode::Hosted;
  run.HostHandle = host.window;
  run.EndsOnUserInput = false;
  platform::Rect32 rect;
  bool covers =
      program.platform.screen.WindowRect(host.window, rect) && HostCoversAScreen(host, rect);
  run.Tune = covers ? TuneRule::PlayInTurn : TuneRule::Silent;
}

}  // namespace quimbel::app
