#pragma once
// The character table: one record per slot of the cast, all 16-bit fields.
#include <array>

#include "assets/pictures.hpp"
#include "base/int16.hpp"
#include "base/runtime_error.hpp"

namespace quimbel::engine {

struct CaraState {
  base::Int16 PosX;     // leading edge, pixels
  base::Int16 PosY;     // top of the cell, pixels
  base::Int16 Heading;  // 1 walking left, 2 walking right
  base::Int16 Phase;    // 0 free, 1..12 step of the walking cycle
  base::Int16 Kind;     // which character: the sprite sheet's index
};

// One character for each sprite sheet the program holds.
using assets::kCastSize;

// CaraType values past the single characters (0 to 6).
inline constexpr int kCaraTypeDrawnByLot = 7;  // one character drawn by lot for the run
inline constexpr int kCaraTypeWholeCast = 8;   // every newcomer drawn by lot

// Heading values.
inline constexpr int kWalkingLeft = 1;
inline constexpr int kWalkingRight = 2;

// Slots 0 to 50: one more than the dialog ever asks for.
inline constexpr int kCaraSlots = 51;

class CaraTable {
 public:
  // A slot index outside the table is a run-time error, as for any array.
  CaraState& operator[](int i) {
    if (i < 0 || i >= kCaraSlots)
      throw base::RuntimeError::SubscriptOutOfRange();
    return slots_[static_cast<std::size_t>(i)];
  }
  const CaraState& operator[](int i) const { return const_cast<CaraTable&>(*this)[i]; }

 private:
  std::array<CaraState, kCaraSlots> slots_{};
};

}  // namespace quimbel::engine
