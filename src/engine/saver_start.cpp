#include "engine/saver_start.hpp"

#include "app/program.hpp"

namespace quimbel::engine {

// Placeholder until the saver window exists: the dispatch's values are set.
void StartSaver(app::Program&) {}

}  // namespace quimbel::engine
