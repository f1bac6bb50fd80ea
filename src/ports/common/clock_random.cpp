#include "ports/common/clock_random.hpp"

#include <chrono>

namespace quimbel::ports {

void ClockRandom::Reseed() {
  // Reseeding happens every 10 ms in the introduction window; mixing in a
  // counter keeps two reseeds within one clock tick from repeating a series.
  auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seq{static_cast<std::uint64_t>(now), ++reseeds_};
  engine_.seed(seq);
}

double ClockRandom::Next() {
  return std::generate_canonical<double, 53>(engine_) * (1.0 - 0x1p-53);
}

}  // namespace quimbel::ports
