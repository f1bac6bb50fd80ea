#pragma once
// Headless random source: draws come from a script; when it runs dry a fixed
// sequence follows, so runs are repeatable.
#include <deque>

#include "platform/random.hpp"

namespace quimbel::headless {

class ScriptedRandom : public platform::Random {
 public:
  std::deque<double> script;
  int reseeds = 0;
  int draws = 0;

  void Reseed() override { ++reseeds; }
  double Next() override;

 private:
  unsigned long long state_ = 0x2545F4914F6CDD1DULL;
};

}  // namespace quimbel::headless
