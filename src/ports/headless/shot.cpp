#include "ports/headless/shot.hpp"

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "app/settings.hpp"
#include "ports/headless/headless_platform.hpp"

namespace quimbel::headless {

base::Surface MadeUpDesktop(int width, int height) {
  base::Surface desktop(width, height);
  for (int y = 0; y < height; ++y) {
    int t = height > 1 ? y * 255 / (height - 1) : 0;
    base::Pixel colour = base::Rgb(static_cast<std::uint8_t>(40 + t * 60 / 255),
                                   static_cast<std::uint8_t>(90 + t * 80 / 255),
                                   static_cast<std::uint8_t>(150 + t * 70 / 255));
    for (int x = 0; x < width; ++x)
      desktop.At(x, y) = colour;
  }
  return desktop;
}

base::Surface RunShot(const ShotOptions& o, std::string& error) {
  HeadlessPlatform hp;
  hp.screen.SetMetrics(o.width, o.height, o.dpi);
  hp.screen.desktop = MadeUpDesktop(o.width, o.height);
  hp.store.Set(app::kKeyCaraCount, std::to_string(o.caraCount));
  hp.store.Set(app::kKeyCaraType, std::to_string(o.caraType));
  hp.store.Set(app::kKeySaverType, std::to_string(o.saverType));
  hp.store.Set(app::kKeyMusicMode, "0");
  hp.savers.keepFrames = 1;
  hp.process.commandLine = "/s";
  app::Program program(hp.platform);
  app::RunMain(program);
  if (hp.savers.created.empty()) {
    error = "the saver did not start";
    return {};
  }
  SaverRecord& window = hp.savers.Last();
  for (long t = 0; t < o.ticks && !hp.process.Ended(); ++t)
    window.FireTimer1();
  if (!hp.process.reports.empty() || !hp.messageBoxes.shown.empty()) {
    error = "the run reported an error";
    return {};
  }
  if (window.Shown().Empty())
    error = "no frame was shown";
  return window.Shown();
}

}  // namespace quimbel::headless
