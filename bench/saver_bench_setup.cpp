#include "saver_bench_setup.hpp"

#include <unistd.h>
#include <fstream>
#include <string>

#include "app/main_entry.hpp"

namespace quimbel::bench {

SaverSetup::SaverSetup(int width, int height, int caraCount, int saverType, int musicMode,
                       int displayScale) {
  hp.screen.SetMetrics(width, height, 96.0 * displayScale);
  hp.screen.desktop.Reset(width, height, base::Rgb(40, 90, 150));
  hp.store.Set("number of cara", std::to_string(caraCount));
  hp.store.Set("type of cara", "8");
  hp.store.Set("saver type", std::to_string(saverType));
  hp.store.Set("music mode", std::to_string(musicMode));
  hp.savers.keepFrames = 1;
  hp.process.commandLine = "/s";
  app::RunMain(program);
}

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  if (!(statm >> size >> resident))
    return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace quimbel::bench
