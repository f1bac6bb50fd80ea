#include "ports/headless/random.hpp"

namespace quimbel::headless {

double ScriptedRandom::Next() {
  ++draws;
  if (!script.empty()) {
    double r = script.front();
    script.pop_front();
    return r;
  }
  // xorshift64*: the top 53 bits make a uniform double in [0, 1).
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  unsigned long long v = state_ * 0x2545F4914F6CDD1DULL;
  return static_cast<double>(v >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace quimbel::headless
