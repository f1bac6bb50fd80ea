#pragma once
// What the background music keeps for the life of the process.
namespace quimbel::sound {

struct MusicState {};

}  // namespace quimbel::sound
