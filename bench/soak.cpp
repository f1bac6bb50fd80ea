// A long saver run: 50 characters leaving imprints on the desktop picture,
// ticked a million times (or the count given). It fails on any error box,
// run-time error report or early end, and when resident memory grows beyond
// a small margin after the first ten thousand ticks.
#include <cstdio>
#include <cstdlib>

#include "saver_bench_setup.hpp"

int main(int argc, char** argv) {
  using quimbel::bench::ResidentKilobytes;
  const long ticks = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (ticks <= 0) {
    std::fprintf(stderr, "usage: %s [ticks > 0, default 1000000]\n", argv[0]);
    return 2;
  }
  quimbel::bench::SaverSetup s(1024, 768, 50, 1, 2);
  const long warmUp = ticks < 10000 ? ticks : 10000;
  long startKb = 0;
  long peakKb = 0;
  for (long t = 1; t <= ticks; ++t) {
    s.Window().FireTimer1();
    s.Window().FireTimer2();
    // The headless screen and sound device log every query and command; the
    // logs are the fakes' memory, not the program's.
    if (t % 1000 == 0) {
      s.hp.screen.queryLog.clear();
      s.hp.sound.calls.clear();
      s.hp.sound.commands.clear();
    }
    if (t == warmUp)
      startKb = ResidentKilobytes();
    if (t > warmUp && t % 10000 == 0) {
      long kb = ResidentKilobytes();
      peakKb = kb > peakKb ? kb : peakKb;
      if (t % 100000 == 0)
        std::printf("tick %ld: %ld kB resident\n", t, kb);
    }
    if (!s.hp.messageBoxes.shown.empty() || !s.hp.process.reports.empty() || s.hp.process.Ended()) {
      std::printf("FAIL at tick %ld: %s\n", t,
                  s.hp.messageBoxes.shown.empty() ? "the run ended or reported an error"
                                                  : s.hp.messageBoxes.shown[0].text.c_str());
      return 1;
    }
  }
  const long endKb = ResidentKilobytes();
  peakKb = endKb > peakKb ? endKb : peakKb;
  std::printf("ticks %ld, frames %ld, resident after warm-up %ld kB, peak %ld kB, end %ld kB\n",
              ticks, s.Window().presentCount, startKb, peakKb, endKb);
  // Memory is flat when nothing beyond page noise was added after warm-up.
  if (startKb > 0 && peakKb - startKb > 1024) {
    std::printf("FAIL: resident memory grew by %ld kB\n", peakKb - startKb);
    return 1;
  }
  std::printf("OK\n");
  return 0;
}
