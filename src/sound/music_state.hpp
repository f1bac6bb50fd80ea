#pragma once
// What the background music keeps for the life of the process.
#include <optional>

#include "base/int16.hpp"

namespace quimbel::sound {

// Whether the run plays the tune: at will, only while it holds the display's
// tune lock, or never.
enum class TuneRule { Play, PlayInTurn, Silent };

struct MusicState {
  // True (-1) once the tune was opened and its playing started.
  base::Int16 BgmActive;
  // A run that plays in turn, while another process holds the tune: its
  // tune counts as active but has not reached the device yet.
  bool WaitingTurn = false;
  // The open tune's length in milliseconds as the device told it (0: it
  // cannot tell); nothing until it was asked after the tune's start.
  std::optional<long> lengthMs;
};

}  // namespace quimbel::sound
