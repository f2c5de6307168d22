// The settings file's number type: a signed 64-bit count of ten-thousandths.
#pragma once

#include <cstdint>

namespace corvane {

struct Fixed {
  static constexpr std::int64_t kScale = 10000;
  std::int64_t units = 0;  // ten-thousandths

  static constexpr Fixed Whole(std::int64_t n) { return Fixed{n * kScale}; }
  friend constexpr bool operator==(Fixed, Fixed) = default;
};

// The nearest whole number, halves to even (8.5 -> 8, 9.5 -> 10, -2.5 -> -2).
constexpr std::int64_t RoundHalfEven(Fixed value) {
  std::int64_t whole = value.units / Fixed::kScale;
  std::int64_t rest = value.units % Fixed::kScale;  // same sign as units
  if (rest < 0) {
    rest += Fixed::kScale;
    --whole;
  }
  if (rest > Fixed::kScale / 2 || (rest == Fixed::kScale / 2 && whole % 2 != 0)) ++whole;
  return whole;
}

}  // namespace corvane
