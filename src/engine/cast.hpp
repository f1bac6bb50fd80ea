#pragma once
// The cast on the screen: placing characters in free slots and walking them.
#include "engine/stage.hpp"

namespace quimbel::engine {

// Positions are device pixels; the distances below are scene units, each
// stage.SceneScale device pixels.
// Walking: units per tick, and the cycle of 12 phases (3 ticks per column).
inline constexpr int kStepPx = 10;
inline constexpr int kPhases = 12;

// The number of slots in use: CaraCount, but never more than the table
// holds, so a hand-edited store cannot index past it.
int UsedSlots(const Stage& stage);

// Places every free slot among the used ones: phase, kind, direction, lane
// and a start beyond one screen edge, from fresh draws in a fixed order.
void SpawnCharacters(const Stage& stage);

// One step of slot i: picks the sprite column from the phase, advances the
// phase, moves 10 units, draws the character and frees the slot once its
// leading edge is 40 units past the far edge.
void AdvanceCharacter(const Stage& stage, int i);

// The widest drawing area whose spawn positions and exit limits all fit in
// 16 bits at this scene scale.
int WidestDrawingArea(int sceneScale = 1);

// The sprite column (0 to 3) shown at a phase of the walking cycle.
int ColumnOfPhase(int phase);

}  // namespace quimbel::engine
