#pragma once
// A 16-bit signed integer whose every store traps on overflow, and checked
// narrowing helpers. Arithmetic happens in int (or wider) after the implicit
// conversion; only storing back is checked, as the program's numeric rules say.
#include <concepts>
#include <cstdint>
#include <utility>

#include "base/runtime_error.hpp"

namespace quimbel::base {

template <std::integral T>
constexpr std::int16_t CheckedInt16(T v) {
  if (!std::in_range<std::int16_t>(v))
    throw RuntimeError::Overflow();
  return static_cast<std::int16_t>(v);
}

template <std::integral T>
constexpr std::int32_t CheckedInt32(T v) {
  if (!std::in_range<std::int32_t>(v))
    throw RuntimeError::Overflow();
  return static_cast<std::int32_t>(v);
}

class Int16 {
 public:
  constexpr Int16() = default;
  template <std::integral T>
  constexpr Int16(T v) : v_(CheckedInt16(v)) {}  // NOLINT: implicit on purpose, checked
  template <std::floating_point T>
  Int16(T) = delete;  // a real number must be rounded explicitly (CInt16)

  template <std::integral T>
  constexpr Int16& operator=(T v) {
    v_ = CheckedInt16(v);
    return *this;
  }
  template <std::floating_point T>
  Int16& operator=(T) = delete;

  constexpr operator std::int32_t() const { return v_; }  // NOLINT
  constexpr std::int16_t Raw() const { return v_; }

 private:
  std::int16_t v_ = 0;
};

// The 16-bit boolean: true is -1, false is 0.
inline constexpr std::int16_t kTrue16 = -1;
inline constexpr std::int16_t kFalse16 = 0;

}  // namespace quimbel::base
