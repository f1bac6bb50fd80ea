#pragma once
// The cast's own share of a frame, replayed: the cells a real run drew in a
// series of frames, undrawn and drawn again on a copy of its surfaces, the
// way the frames do it now and the way they did before (whole cell
// rectangles restored), so both are timed on the same pixels in one run.
#include <memory>
#include <vector>

#include "base/surface.hpp"
#include "engine/saver_state.hpp"

namespace quimbel::bench {

struct SaverSetup;

class CastReplay {
 public:
  // Records `frames` frames of a run with 50 characters on a screen of this
  // size and scene scale, after a few to fill the lanes.
  CastReplay(int width, int height, int scale, int frames);
  ~CastReplay();

  // One frame each call, the next recorded one. Now: only each drawn cell's
  // inked spans restored, the changed parts merged into bands. Before: the
  // cells' whole rectangles restored, merged as the frames merged them.
  void NowFrame();
  void BeforeFrame();

  // Cast pixels per frame on average: the cells' area on the screen.
  double CastPixelsPerFrame() const;

 private:
  const std::vector<engine::CellDraw>& Next();
  base::Surface& Work();

  // The run stays, with its surfaces and the prepared sheets the cells
  // point into.
  std::unique_ptr<SaverSetup> run_;
  std::vector<std::vector<engine::CellDraw>> frames_;
  std::vector<base::Rect> rects_;
  std::size_t at_ = 0;
  double castPixels_ = 0;
};

}  // namespace quimbel::bench
