// The headless saver window keeps the promises every saver window makes,
// composing in memory of its own and in memory the window offers.
#include "ports/headless/process.hpp"
#include "ports/headless/saver_window.hpp"
#include "ports/headless/screen.hpp"
#include "support/saver_window_conformance.hpp"

namespace {

using namespace quimbel;

// Input goes through the record, as the headless port's loop delivers it.
template <bool kOfferMemory>
struct HeadlessDriver {
  static constexpr bool kSeesTheScreenUnder = true, kTimersRunByThemselves = false;
  headless::HeadlessProcess process;
  headless::HeadlessScreen screen;
  headless::HeadlessSaverFactory factory{process, screen};
  headless::SaverRecord* record = nullptr;

  HeadlessDriver() { factory.offerFrameMemory = kOfferMemory; }
  platform::SaverWindowFactory& Factory() { return factory; }
  platform::Screen& Screen() { return screen; }
  base::Rect ScreenPx() { return {0, 0, screen.widthPx, screen.heightPx}; }
  void PaintDesktop(base::Pixel c) { screen.desktop.Reset(screen.widthPx, screen.heightPx, c); }
  bool Find(std::string_view title) {
    record = &factory.Last();
    return process.TopLevelWindowExists(title);
  }
  bool Visible() { return record->visible; }
  base::Rect GeometryPx() {
    const headless::SaverRecord& r = *record;
    return {r.left, r.top, r.width, r.height};
  }
  base::Pixel ShownAt(int x, int y) {
    base::Surface dot(1, 1);
    screen.CaptureLive(dot, GeometryPx().x + x, GeometryPx().y + y, 1, 1);
    return dot.At(0, 0);
  }
  template <class Done>
  void RunUntil(Done, int) {}
  void SystemRepaint() { record->Repaint(); }
  void Click(int, int) { record->Click(); }
  void Key() {
    if (record->focused)
      record->KeyDown();
  }
  void MovePointer(int x, int y) { record->MovePointer(GeometryPx().x + x, GeometryPx().y + y); }
  bool DefaultPointer() { return record->defaultPointer; }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, SaverWindowConformance, HeadlessDriver<false>);
INSTANTIATE_TYPED_TEST_SUITE_P(HeadlessFrameMemory, SaverWindowConformance, HeadlessDriver<true>);
}  // namespace quimbel::conformance
