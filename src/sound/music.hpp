#pragma once
// The background tune: one operation with three modes.
#include <cstdint>

namespace quimbel::sound {

class Host;

inline constexpr std::int16_t MusicStart = 0;
inline constexpr std::int16_t MusicStop = 1;
inline constexpr std::int16_t MusicPoll = 2;

// Other mode values do nothing.
void PlayMusic(Host& host, std::int16_t mode);

}  // namespace quimbel::sound
