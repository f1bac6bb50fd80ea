#pragma once
// Real-to-integer rules: rounding to the nearest with halves to the even
// neighbour, and Int(x), the largest integer not above x.
#include <cstdint>

namespace quimbel::base {

double RoundHalfEven(double x);
double Int(double x);
// Round half to even, then narrow with overflow checking (NaN is an overflow).
std::int16_t CInt16(double x);
std::int32_t CInt32(double x);

}  // namespace quimbel::base
