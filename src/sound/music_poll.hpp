#pragma once
// How long the tune's poll may sleep. The poll restarts the tune within one
// quick period of its end, yet need not wake that often to do so: while the
// device says how long the tune is and where it stands, the poll sleeps until
// shortly before the end and only then asks every quick period.
#include "sound/host.hpp"

namespace quimbel::sound {

// The quick period: a tune that ends is playing again within this.
inline constexpr int kMusicPollMs = 10;
// How often a run that plays in turn asks for the display's tune lock.
inline constexpr int kTurnPollMs = 250;

// The next period of the poll in milliseconds after a poll; 0 when there is
// nothing to poll (no tune, or it failed to start). Asks the device for the
// tune's length once per start and for its position each time.
int NextMusicPollMs(Host& host);

}  // namespace quimbel::sound
