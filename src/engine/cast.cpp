#include "engine/cast.hpp"

#include <algorithm>

#include "base/rounding.hpp"
#include "engine/frame.hpp"

namespace quimbel::engine {
namespace {

// A spawn starts up to this many pixels beyond the edge, so arrivals are
// staggered; the exit margin retires a character with half its cell still
// on the screen.
constexpr int kEntrySpread = 500;
constexpr int kEntryInset = 100;
constexpr int kLaneRise = 50;
constexpr int kExitMargin = 40;
// A newcomer starts at one of the first phases of the walking cycle.
constexpr int kStartPhases = 7;

// Int(r * n) for a fresh draw: a whole number 0 to n - 1.
int Draw(platform::Random& random, int n) {
  return static_cast<int>(base::Int(random.Next() * n));
}

int KindFor(const Stage& stage, const CaraState& slot) {
  int type = stage.CaraType;
  if (type < 0)
    return 0;  // a hand-edited store: no sheet has a negative number
  if (type < kCaraTypeDrawnByLot)
    return type;
  if (type == kCaraTypeDrawnByLot)
    return stage.RandomCaraType;
  // The whole cast is drawn by the caller; above it the slot keeps its kind.
  return slot.Kind;
}

}  // namespace

int UsedSlots(const Stage& stage) {
  return std::min<int>(stage.CaraCount, kCaraSlots);
}

int WidestDrawingArea(int sceneScale) {
  // A left-walker may start kEntrySpread - 1 - kEntryInset scene units beyond
  // the right edge, the farthest any position goes.
  return 32767 - (kEntrySpread - 1 - kEntryInset) * std::max(sceneScale, 1);
}

int ColumnOfPhase(int phase) {
  if (phase >= 1 && phase <= kPhases)
    return (phase - 1) / 3;
  return 0;
}

void SpawnCharacters(const Stage& stage) {
  platform::Random& random = stage.random;
  const int count = UsedSlots(stage);
  const int n = stage.SceneScale;
  const int width = stage.ScreenWidthPx;
  // The lanes share the screen's height in scene units, so that at every
  // scale a lane holds as many characters' heights.
  const double height = static_cast<double>(stage.ScreenHeightPx) / n;
  bool reseeded = false;
  for (int i = 0; i < count; ++i) {
    CaraState& slot = stage.saver.caraTable[i];
    if (slot.Phase != 0)
      continue;
    if (!reseeded) {
      random.Reseed();
      reseeded = true;
    }
    slot.Phase = Draw(random, kStartPhases) + 1;
    if (stage.CaraType == kCaraTypeWholeCast)
      slot.Kind = Draw(random, kCastSize);
    else
      slot.Kind = KindFor(stage, slot);
    const int d = Draw(random, 2);
    const double lane = height / count;
    const double r1 = random.Next();
    slot.PosY = base::CInt16(base::Int(r1 * lane) + i * lane - kLaneRise) * n;
    const double r2 = random.Next();
    // Offsets in scene units, enlarged; a left-walker's from the device's
    // right edge, whether the scale divides the width or not.
    if (d == 0) {
      slot.PosX = base::CInt16(-static_cast<double>(kCellWidth) - base::Int(r2 * kEntrySpread) +
                               kEntryInset) *
                  n;
      slot.Heading = kWalkingRight;
    } else {
      slot.PosX = base::CInt16((base::Int(r2 * kEntrySpread) - kEntryInset) * n + width);
      slot.Heading = kWalkingLeft;
    }
  }
}

void AdvanceCharacter(const Stage& stage, int i) {
  CaraState& slot = stage.saver.caraTable[i];
  const int column = ColumnOfPhase(slot.Phase);
  slot.Phase = slot.Phase + 1;
  if (slot.Phase > kPhases)
    slot.Phase = 1;
  const int n = stage.SceneScale;
  if (slot.Heading == kWalkingLeft) {
    slot.PosX = slot.PosX - kStepPx * n;
    DrawCharacter(stage, i, column, +1, kCellWidth, kCellHeight);
    if (slot.PosX <= -kExitMargin * n)
      slot.Phase = 0;
  } else if (slot.Heading == kWalkingRight) {
    slot.PosX = slot.PosX + kStepPx * n;
    DrawCharacter(stage, i, column, -1, kCellWidth, kCellHeight);
    if (slot.PosX >= stage.ScreenWidthPx + kExitMargin * n)
      slot.Phase = 0;
  }
}

}  // namespace quimbel::engine
