#include "ports/headless/saver_window.hpp"

#include <algorithm>
#include <cmath>

#include "engine/raster.hpp"
#include "ports/headless/process.hpp"
#include "ports/headless/screen.hpp"

namespace quimbel::headless {
namespace {

class HeadlessSaverWindow : public platform::SaverWindow {
 public:
  HeadlessSaverWindow(std::shared_ptr<SaverRecord> record, HeadlessProcess& process,
                      bool offerMemory)
      : r_(std::move(record)), process_(process), offerMemory_(offerMemory) {
    process_.openTitles.insert(r_->title);
  }
  ~HeadlessSaverWindow() override {
    r_->alive = false;
    r_->visible = false;
    auto it = process_.openTitles.find(r_->title);
    if (it != process_.openTitles.end())
      process_.openTitles.erase(it);
  }

  void StartTimer(platform::SaverTimer timer, int periodMs) override {
    (timer == platform::SaverTimer::k1 ? r_->timer1Ms : r_->timer2Ms) = std::max(periodMs, 1);
    Log("StartTimer");
  }
  void StopTimer(platform::SaverTimer timer) override {
    (timer == platform::SaverTimer::k1 ? r_->timer1Ms : r_->timer2Ms) = 0;
    Log("StopTimer");
  }
  void SetSizePx(int width, int height) override {
    r_->width = width;
    r_->height = height;
    Log("SetSizePx");
  }
  void SetPositionPx(int left, int top) override {
    r_->left = left;
    r_->top = top;
    Log("SetPositionPx");
  }
  void SetFocusHolderBounds(int width, int height, int left, int top) override {
    r_->focusHolder = {width, height, left, top};
    Log("SetFocusHolderBounds");
  }
  void Show() override {
    BecomeVisible();
    Log("Show");
  }
  void FocusHolder() override {
    r_->focused = true;
    Log("FocusHolder");
  }
  void SetNormalState() override {
    r_->normalState = true;
    Log("SetNormalState");
  }
  void SetPointer(const base::Icon& picture) override {
    r_->pointer = picture;
    r_->defaultPointer = false;
    Log("SetPointer");
  }
  void SetDefaultPointer() override {
    r_->defaultPointer = true;
    Log("SetDefaultPointer");
  }
  base::Pixel* FrameMemory(int width, int height) override {
    Log("FrameMemory");
    if (!offerMemory_ || width <= 0 || height <= 0)
      return nullptr;
    r_->memory.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return r_->memory.data();
  }
  // Like a port that keeps its image, only the changed rectangles reach the
  // shown frame; whatever they miss stays as it was (silver at first).
  void Present(const base::Surface& frame, std::span<const base::Rect> changed) override {
    const std::size_t slot = static_cast<std::size_t>(r_->presentCount) % r_->keepFrames;
    base::Surface& shown = r_->ring[slot];
    if (r_->presentCount > 0 && r_->keepFrames > 1)
      shown = r_->ring[(slot + r_->keepFrames - 1) % r_->keepFrames];
    if (shown.Width() != frame.Width() || shown.Height() != frame.Height())
      shown.Reset(frame.Width(), frame.Height(), base::Rgb(192, 192, 192));
    for (const base::Rect& r : changed)
      engine::BitBlt(shown, r.x, r.y, r.width, r.height, frame, r.x, r.y,
                     engine::RasterOp::kSrcCopy);
    // Assigning into kept capacity: no allocation once the run is warm.
    r_->changed.assign(changed.begin(), changed.end());
    r_->presented = &frame;
    ++r_->presentCount;
    if (r_->calls.empty() || r_->calls.back() != "Present")
      Log("Present");
  }
  void MakeTopmost() override {
    r_->topmost = true;
    BecomeVisible();
    Log("MakeTopmost");
  }

 private:
  void Log(const char* call) { r_->calls.emplace_back(call); }
  void BecomeVisible() {
    if (!r_->visible) {
      r_->shownLeft = r_->left;
      r_->shownTop = r_->top;
    }
    r_->visible = true;
  }

  std::shared_ptr<SaverRecord> r_;
  HeadlessProcess& process_;
  bool offerMemory_;
};

// Paints a visible window's shown frame over a captured desktop picture.
void PaintOver(const SaverRecord& r, base::Surface& dst, int x, int y, int w, int h) {
  const base::Surface& frame = r.Shown();
  if (!r.alive || !r.visible || frame.Empty())
    return;
  const int left = r.left;
  const int top = r.top;
  for (int row = 0; row < h; ++row) {
    int fy = y + row - top;
    if (fy < 0 || fy >= frame.Height())
      continue;
    for (int col = 0; col < w; ++col) {
      int fx = x + col - left;
      if (fx >= 0 && fx < frame.Width())
        dst.At(col, row) = frame.At(fx, fy);
    }
  }
}

}  // namespace

const base::Surface* SaverRecord::Frame(long n) const {
  if (n < 0 || n >= presentCount || presentCount - n > static_cast<long>(keepFrames))
    return nullptr;
  return &ring[static_cast<std::size_t>(n) % keepFrames];
}

const base::Surface& SaverRecord::Shown() const {
  static const base::Surface none;
  const base::Surface* f = Frame(presentCount - 1);
  return f ? *f : none;
}

void SaverRecord::Repaint() {
  if (presented == nullptr || presentCount == 0)
    return;
  ring[static_cast<std::size_t>(presentCount - 1) % keepFrames] = *presented;
}

void SaverRecord::FireTimer1() {
  if (alive && timer1Ms > 0)
    events->OnTimer1();
}
void SaverRecord::FireTimer2() {
  if (alive && timer2Ms > 0)
    events->OnTimer2();
}
void SaverRecord::DisplayPower(bool lit) {
  if (alive)
    events->OnDisplayPower(lit);
}
void SaverRecord::Click() {
  if (alive)
    events->OnClick();
}
void SaverRecord::KeyDown() {
  if (alive)
    events->OnKeyDown();
}
void SaverRecord::MovePointer(std::int32_t x, std::int32_t y) {
  if (alive)
    events->OnPointerMove(x, y);
}

HeadlessSaverFactory::HeadlessSaverFactory(HeadlessProcess& process, HeadlessScreen& screen)
    : process_(process), screen_(screen) {}

std::unique_ptr<platform::SaverWindow> HeadlessSaverFactory::CreateSaverWindow(
    std::string_view title, platform::SaverEvents& events) {
  auto record = std::make_shared<SaverRecord>();
  record->title = std::string(title);
  record->events = &events;
  record->keepFrames = std::max<std::size_t>(keepFrames, 1);
  record->ring.resize(record->keepFrames);
  record->changed.reserve(256);  // more than a frame ever changes
  created.push_back(record);
  std::weak_ptr<SaverRecord> weak = record;
  screen_.windowsOver.push_back([weak](base::Surface& dst, int x, int y, int w, int h) {
    if (auto r = weak.lock())
      PaintOver(*r, dst, x, y, w, h);
  });
  return std::make_unique<HeadlessSaverWindow>(record, process_, offerFrameMemory);
}

}  // namespace quimbel::headless
