// What a frame costs: the tick's placing and ComposeFrame with 50 characters,
// to the changed rectangles presented on the headless window, beside the two
// full-surface copies a frame rebuilt whole would make (background onto the
// work surface, work surface onto the window), measured in the same run. A
// frame redraws only what the cast changed, so the ratio falls as the
// screen grows. At a scene scale of 2 (a 200 % display) every character
// covers four times the pixels, measured against the same copies.
// The cast's own share (undrawing last frame's cells, drawing the new ones)
// is timed apart per cast pixel, now and as frames did it before.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "app/saver_stage.hpp"
#include "cast_replay.hpp"
#include "engine/cast.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "saver_bench_setup.hpp"

namespace {

using quimbel::bench::SaverSetup;
namespace app = quimbel::app;
namespace engine = quimbel::engine;
namespace base = quimbel::base;

constexpr int kCast = 50;
constexpr int kPlainBackground = 2;

// Also counts what each frame hands the window (band_px, bands): the
// pixels a window system copies or uploads, and the requests it takes.
void ComposeFrames(benchmark::State& state, SaverSetup& s) {
  double pixels = 0, bands = 0;
  for (auto _ : state) {
    // A slot freed in the last frame is placed again first, as in every tick.
    engine::SpawnCharacters(app::SaverStage(s.program));
    engine::ComposeFrame(app::SaverStage(s.program));
    for (const base::Rect& r : s.Window().changed)
      pixels += static_cast<double>(r.width) * r.height;
    bands += static_cast<double>(s.Window().changed.size());
  }
  state.counters["band_px"] = benchmark::Counter(pixels, benchmark::Counter::kAvgIterations);
  state.counters["bands"] = benchmark::Counter(bands, benchmark::Counter::kAvgIterations);
}

void ComposeFrame(benchmark::State& state) {
  SaverSetup s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kCast,
               kPlainBackground);
  ComposeFrames(state, s);
}

void ComposeFrameScaled(benchmark::State& state) {
  SaverSetup s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kCast,
               kPlainBackground, 0, static_cast<int>(state.range(2)));
  ComposeFrames(state, s);
}

void CopiesAlone(benchmark::State& state) {
  SaverSetup s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kCast,
               kPlainBackground);
  engine::SaverState& saver = s.program.saver;
  const int width = s.program.run.ScreenWidthPx;
  const int height = s.program.run.ScreenHeightPx;
  for (auto _ : state) {
    engine::BitBlt(saver.scr_work, 0, 0, width, height, saver.scr_bkg, 0, 0,
                   engine::RasterOp::kSrcCopy);
    const base::Rect whole{0, 0, width, height};
    saver.frmDisp->Present(saver.scr_work, std::span<const base::Rect>(&whole, 1));
    benchmark::DoNotOptimize(s.Window().presentCount);
  }
}

// Cast pixels per frame, by size, for the per-pixel figures.
std::map<std::string, double> gCastPixels;

constexpr int kReplayFrames = 64;

template <bool kNow>
void Cast(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  const int scale = static_cast<int>(state.range(2));
  quimbel::bench::CastReplay replay(width, height, scale, kReplayFrames);
  gCastPixels[std::to_string(width) + "/" + std::to_string(height) + "/" + std::to_string(scale)] =
      replay.CastPixelsPerFrame();
  for (auto _ : state) {
    if (kNow)
      replay.NowFrame();
    else
      replay.BeforeFrame();
  }
}
void CastNow(benchmark::State& state) {
  Cast<true>(state);
}
void CastBefore(benchmark::State& state) {
  Cast<false>(state);
}

// The widest stands for three 4K monitors side by side.
BENCHMARK(ComposeFrame)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Args({11520, 2160})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeFrameScaled)->Args({3840, 2160, 2})->Unit(benchmark::kMicrosecond);
void CastSizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080, 1})->Args({3840, 2160, 1})->Args({3840, 2160, 2});
  b->Unit(benchmark::kMicrosecond);
}
BENCHMARK(CastNow)->Apply(CastSizes);
BENCHMARK(CastBefore)->Apply(CastSizes);
BENCHMARK(CopiesAlone)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Args({11520, 2160})
    ->Unit(benchmark::kMicrosecond);

// Keeps each run's processor time per iteration (steadier than wall time on a
// shared machine) while the console shows the table.
class Recorder : public benchmark::ConsoleReporter {
 public:
  // No colours: the summary lines after the table must start with "ratio".
  Recorder() : ConsoleReporter(OO_Tabular) {}
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0)
        seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // With --benchmark_repetitions the median stands for the name.
  std::map<std::string, double>::const_iterator Find(const std::string& name) const {
    auto median = seconds.find(name + "_median");
    return median != seconds.end() ? median : seconds.find(name);
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Repetitions in random order, and their medians, keep the ratio steady on
  // a busy machine; flags given on the command line come later and win.
  std::vector<char*> args{argv[0]};
  std::string repetitions = "--benchmark_repetitions=9";
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  args.insert(args.end(), {repetitions.data(), interleave.data(), aggregates.data()});
  args.insert(args.end(), argv + 1, argv + argc);
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  benchmark::Shutdown();
  for (const char* size : {"1920/1080", "3840/2160", "11520/2160"}) {
    auto frame = recorder.Find(std::string("ComposeFrame/") + size);
    auto copies = recorder.Find(std::string("CopiesAlone/") + size);
    if (frame == recorder.seconds.end() || copies == recorder.seconds.end())
      continue;
    std::string label(size);
    label[label.find('/')] = 'x';
    std::printf("ratio %s %.2f\n", label.c_str(), frame->second / copies->second);
  }
  auto scaled = recorder.Find("ComposeFrameScaled/3840/2160/2");
  auto copies = recorder.Find("CopiesAlone/3840/2160");
  if (scaled != recorder.seconds.end() && copies != recorder.seconds.end())
    std::printf("ratio 3840x2160@2 %.2f\n", scaled->second / copies->second);
  // ns per cast pixel, now and before, and now over before.
  for (const auto& [args, pixels] : gCastPixels) {
    auto now = recorder.Find("CastNow/" + args);
    auto before = recorder.Find("CastBefore/" + args);
    if (now == recorder.seconds.end() || before == recorder.seconds.end() || pixels <= 0)
      continue;
    std::string label(args);
    label[label.find('/')] = 'x';
    label[label.find('/')] = '@';
    std::printf("cast-ns-per-px %s %.3f before %.3f ratio %.2f\n", label.c_str(),
                now->second * 1e3 / pixels, before->second * 1e3 / pixels,
                now->second / before->second);
  }
  return 0;
}
