#include "base/rounding.hpp"

#include <cmath>

#include "base/runtime_error.hpp"

namespace quimbel::base {

double RoundHalfEven(double x) {
  double floor = std::floor(x);
  double diff = x - floor;
  if (diff < 0.5)
    return floor;
  if (diff > 0.5)
    return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double Int(double x) {
  return std::floor(x);
}

std::int16_t CInt16(double x) {
  double r = RoundHalfEven(x);
  if (!(r >= -32768.0 && r <= 32767.0))
    throw RuntimeError::Overflow();
  return static_cast<std::int16_t>(r);
}

std::int32_t CInt32(double x) {
  double r = RoundHalfEven(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0))
    throw RuntimeError::Overflow();
  return static_cast<std::int32_t>(r);
}

}  // namespace quimbel::base
