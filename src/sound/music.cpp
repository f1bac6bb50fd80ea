#include "sound/music.hpp"

#include "app/program.hpp"

namespace quimbel::sound {

// Placeholder until the music exists: silent.
void PlayMusic(app::Program&, std::int16_t) {}

}  // namespace quimbel::sound
