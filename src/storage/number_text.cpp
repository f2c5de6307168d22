#include "storage/number_text.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace corvane {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
constexpr bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
constexpr char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Walks the text with blanks, tabs and line feeds left out.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { Skip(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  // The character after the current one, blanks left out.
  char PeekNext() const {
    std::size_t p = pos_ + 1;
    while (p < text_.size() && IsBlank(text_[p])) ++p;
    return p < text_.size() ? text_[p] : '\0';
  }
  void Advance() {
    ++pos_;
    Skip();
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A radix prefix that a hand-edited file might carry: &H1F, &O17, &17, 0x1F.
bool StartsWithRadixNumber(const Cursor& at) {
  char first = at.Peek();
  char second = Upper(at.PeekNext());
  if (first == '&') return second == 'H' || second == 'O' || IsOctalDigit(second);
  if (first == '0' && second == 'X') {
    Cursor after = at;
    after.Advance();
    after.Advance();
    return IsHexDigit(after.Peek());
  }
  return false;
}

// Exponents beyond this make every non-zero mantissa of a text out of range
// (or zero), so larger ones are held here rather than overflowing.
constexpr std::int64_t kExponentLimit = std::int64_t{1} << 40;

}  // namespace

std::optional<Fixed> ParseLeadingNumber(std::string_view Text) {
  Cursor at(Text);
  bool negative = false;
  if (at.Peek() == '+' || at.Peek() == '-') {
    negative = at.Peek() == '-';
    at.Advance();
  }
  if (StartsWithRadixNumber(at)) return std::nullopt;

  // The value is digits * 10^scale, digits without leading zeros.
  std::string digits;
  std::int64_t scale = 0;
  while (IsDigit(at.Peek())) {
    if (!digits.empty() || at.Peek() != '0') digits.push_back(at.Peek());
    at.Advance();
  }
  if (at.Peek() == '.') {
    at.Advance();
    while (IsDigit(at.Peek())) {
      if (!digits.empty() || at.Peek() != '0') digits.push_back(at.Peek());
      --scale;
      at.Advance();
    }
  }
  char e = Upper(at.Peek());
  if (e == 'E' || e == 'D') {
    Cursor exponentAt = at;
    exponentAt.Advance();
    bool exponentNegative = false;
    if (exponentAt.Peek() == '+' || exponentAt.Peek() == '-') {
      exponentNegative = exponentAt.Peek() == '-';
      exponentAt.Advance();
    }
    if (IsDigit(exponentAt.Peek())) {
      std::int64_t exponent = 0;
      while (IsDigit(exponentAt.Peek())) {
        exponent = std::min(kExponentLimit, exponent * 10 + (exponentAt.Peek() - '0'));
        exponentAt.Advance();
      }
      scale += exponentNegative ? -exponent : exponent;
    }
  }
  if (digits.empty()) return Fixed{0};

  // Ten-thousandths: digits * 10^(scale + 4), rounded at the point.
  std::int64_t shift = scale + 4;
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
  std::string whole;
  bool roundUp = false;
  if (shift >= 0) {
    if (static_cast<std::int64_t>(digits.size()) + shift > 19) return std::nullopt;
    whole = digits + std::string(static_cast<std::size_t>(shift), '0');
  } else {
    std::int64_t keep = static_cast<std::int64_t>(digits.size()) + shift;
    if (keep < 0) return Fixed{0};  // below half a ten-thousandth
    if (keep > 19) return std::nullopt;
    whole = digits.substr(0, static_cast<std::size_t>(keep));
    std::string_view dropped = std::string_view(digits).substr(static_cast<std::size_t>(keep));
    char lastKept = whole.empty() ? '0' : whole.back();
    if (dropped[0] > '5') {
      roundUp = true;
    } else if (dropped[0] == '5') {
      bool beyondHalf = dropped.find_first_not_of('0', 1) != std::string_view::npos;
      roundUp = beyondHalf || (lastKept - '0') % 2 != 0;
    }
  }
  std::uint64_t magnitude = 0;
  for (char c : whole) {
    auto digit = static_cast<std::uint64_t>(c - '0');
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (roundUp) {
    if (magnitude == limit) return std::nullopt;
    ++magnitude;
  }
  if (negative) return Fixed{static_cast<std::int64_t>(0 - magnitude)};
  return Fixed{static_cast<std::int64_t>(magnitude)};
}

std::string FixedToText(Fixed Value) {
  bool negative = Value.units < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(Value.units)
                                     : static_cast<std::uint64_t>(Value.units);
  std::string text = std::to_string(magnitude / Fixed::kScale);
  if (std::uint64_t fraction = magnitude % Fixed::kScale; fraction != 0) {
    std::string digits = std::to_string(fraction + Fixed::kScale).substr(1);  // four digits, leading zeros kept
    digits.erase(digits.find_last_not_of('0') + 1);
    text += '.' + digits;
  }
  return negative ? '-' + text : text;
}

std::int32_t MaxValue(Fixed A, Fixed B) {
  std::int64_t larger = RoundHalfEven(A.units >= B.units ? A : B);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(larger, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::int32_t> DwordFromText(std::string_view Text) {
  std::optional<Fixed> number = ParseLeadingNumber(Text);
  if (!number) return std::nullopt;
  std::int64_t whole = RoundHalfEven(*number);
  if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(whole);
}

}  // namespace corvane
