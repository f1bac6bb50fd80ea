#pragma once
// The random source the native ports share: a standard generator reseeded
// from the system clock.
#include <random>

#include "platform/random.hpp"

namespace quimbel::ports {

class ClockRandom : public platform::Random {
 public:
  ClockRandom() { Reseed(); }
  void Reseed() override;
  double Next() override;

 private:
  std::mt19937_64 engine_;
  std::uint64_t reseeds_ = 0;
};

}  // namespace quimbel::ports
