#include "cast_replay.hpp"

#include <algorithm>
#include <cstdlib>

#include "app/saver_stage.hpp"
#include "engine/bands.hpp"
#include "engine/cast.hpp"
#include "engine/cell_redraw.hpp"
#include "engine/frame.hpp"
#include "engine/raster.hpp"
#include "saver_bench_setup.hpp"

namespace quimbel::bench {
namespace {

namespace engine = quimbel::engine;
using base::Rect;

constexpr int kCast = 50;
constexpr int kPlainBackground = 2;
constexpr int kFillingFrames = 30;

Rect Clip(Rect r, int width, int height) {
  const int right = std::min(r.x + r.width, width);
  const int bottom = std::min(r.y + r.height, height);
  r.x = std::max(r.x, 0);
  r.y = std::max(r.y, 0);
  return {r.x, r.y, std::max(right - r.x, 0), std::max(bottom - r.y, 0)};
}

Rect WholeCell(const engine::CellDraw& cell, int width, int height) {
  const int left = cell.width < 0 ? cell.x + cell.width : cell.x;
  return Clip({left, cell.y, std::abs(cell.width), cell.height}, width, height);
}

}  // namespace

CastReplay::CastReplay(int width, int height, int scale, int frames) {
  run_ = std::make_unique<SaverSetup>(width, height, kCast, kPlainBackground, 0, scale);
  SaverSetup& s = *run_;
  for (int f = 0; f < kFillingFrames + frames; ++f) {
    engine::SpawnCharacters(app::SaverStage(s.program));
    engine::ComposeFrame(app::SaverStage(s.program));
    if (f < kFillingFrames)
      continue;
    const engine::FrameDraws& draws = s.program.saver.frameDraws;
    frames_.emplace_back(draws.cells.begin(), draws.cells.begin() + draws.count);
    for (const engine::CellDraw& cell : frames_.back())
      castPixels_ += static_cast<double>(WholeCell(cell, width, height).width) *
                     WholeCell(cell, width, height).height;
  }
  castPixels_ /= frames;
  rects_.resize(4 * kCast + 1);
}

base::Surface& CastReplay::Work() {
  return run_->program.saver.scr_work;
}

const std::vector<engine::CellDraw>& CastReplay::Next() {
  at_ = (at_ + 1) % frames_.size();
  return frames_[at_];
}

CastReplay::~CastReplay() = default;

double CastReplay::CastPixelsPerFrame() const {
  return castPixels_;
}

void CastReplay::NowFrame() {
  const auto& last = frames_[at_];
  const auto& cells = Next();
  const int w = Work().Width(), h = Work().Height();
  int n = 0;
  for (const engine::CellDraw& cell : last)
    n = engine::AddMerged(rects_.data(), n, engine::InkedRect(cell, w, h));
  for (const engine::CellDraw& cell : cells)
    n = engine::AddMerged(rects_.data(), n, engine::InkedRect(cell, w, h));
  engine::MergeIntoBands(rects_.data(), n);
  engine::RedrawCells(Work(), run_->program.saver.scr_bkg, last, cells);
}

void CastReplay::BeforeFrame() {
  const auto& last = frames_[at_];
  const auto& cells = Next();
  int n = 0;
  for (const engine::CellDraw& cell : last)
    n = engine::AddMerged(rects_.data(), n, WholeCell(cell, Work().Width(), Work().Height()));
  for (const engine::CellDraw& cell : cells)
    n = engine::AddMerged(rects_.data(), n, WholeCell(cell, Work().Width(), Work().Height()));
  for (int k = 0; k < n; ++k)
    engine::BitBlt(Work(), rects_[k].x, rects_[k].y, rects_[k].width, rects_[k].height,
                   run_->program.saver.scr_bkg, rects_[k].x, rects_[k].y,
                   engine::RasterOp::kSrcCopy);
  for (const engine::CellDraw& cell : cells)
    engine::MaskedStretchBlt(Work(), cell.x, cell.y, cell.width, cell.height, *cell.sheet,
                             cell.maskX, cell.maskY, cell.imageX, cell.imageY, cell.spans);
}

}  // namespace quimbel::bench
