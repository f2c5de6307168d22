// The settings file's number format: how numbers are read from and written to
// the text of a profile value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/fixed_point.h"

namespace corvane {

// Reads the number at the start of Text. Blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, decimal digits, an
// optional point with digits and an optional exponent (E or D, optional sign,
// digits) make the number, and reading stops at the first character that
// cannot continue it. A text with no number reads as 0. The value is rounded
// to the nearest ten-thousandth (halves to even).
// Returns nothing for what the settings file gives no meaning: a hexadecimal
// (&H1F, 0x1F) or octal (&O17, &17) number, or a number outside the range of Fixed;
// callers then use their default.
std::optional<Fixed> ParseLeadingNumber(std::string_view Text);

// Plain decimal text: a minus sign when negative, no blanks or separators, and
// a point only when there are fractional digits (16711680, -2147483640, 9.75).
std::string FixedToText(Fixed Value);

// The larger of the two as a 32-bit integer (nearest, halves to even; values
// beyond the 32-bit range are held at its limits).
std::int32_t MaxValue(Fixed A, Fixed B);

// A whole number for a 32-bit registry value: the leading number of Text
// rounded to the nearest integer (halves to even). Nothing when the text holds
// no usable number or it does not fit a signed 32-bit integer.
std::optional<std::int32_t> DwordFromText(std::string_view Text);

}  // namespace corvane
