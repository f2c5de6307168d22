// Randomised number texts and registry data: malformed, huge or binary input gives a value in range or nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "storage/number_text.h"
#include "storage/registry_text.h"

namespace corvane {
namespace {

// Exact value of sign * intPart.fracPart * 10^exponent in ten-thousandths, halves to even;
// nothing outside the Fixed range. The digits number at most 18.
std::optional<Fixed> Reference(bool negative, const std::string& intPart, const std::string& fracPart, int exponent) {
  std::int64_t units = 0, divisor = 1;
  for (char c : intPart + fracPart) units = units * 10 + (negative ? '0' - c : c - '0');
  int shift = exponent - static_cast<int>(fracPart.size()) + 4;
  for (; shift > 0; --shift)
    if (__builtin_mul_overflow(units, 10, &units)) return std::nullopt;
  for (; shift < 0; ++shift) divisor *= 10;
  const std::int64_t whole = units / divisor, twice = 2 * std::abs(units % divisor);
  return Fixed{whole + (twice > divisor || (twice == divisor && whole % 2 != 0) ? (negative ? -1 : 1) : 0)};
}

TEST(NumberFuzz, NumberTextsAndRegistryDataOfAnyKind) {
  std::mt19937_64 random{20261207};
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto digits = [&](int count) { std::string text(count, '0'); for (char& c : text) c += below(10); return text; };
  constexpr char kJunk[] = "0123456789+-.eEdD&HhOoxXa";
  for (int i = 0; i < 200000; ++i) {
    const bool negative = below(2) == 0;
    const std::string intPart = digits(below(13));
    const std::string fracPart = below(3) == 0 ? "" : digits(below(7));
    const int exponent = below(3) == 0 ? below(25) - 12 : 0;
    std::string text = (negative ? "-" : (below(2) ? "+" : "")) + intPart;
    if (!fracPart.empty() || below(4) == 0) text += "." + fracPart;
    if (exponent != 0 || below(8) == 0) text += "eEdD"[below(4)] + std::to_string(exponent);
    if (below(2)) text += "xyz,+-e.&"[below(9)];  // what follows a number ends it
    if (!intPart.empty() || !fracPart.empty()) {
      ASSERT_EQ(ParseLeadingNumber(text), Reference(negative, intPart, fracPart, exponent)) << text;
    }

    Fixed value{static_cast<std::int64_t>(random())};  // survives its text, which holds no blanks or separators
    if (i % 4 == 0) value.units %= 1000000000;  // short values as well as long ones
    text = FixedToText(value);
    ASSERT_EQ(text.find_first_of(" ,\t"), std::string::npos) << text;
    ASSERT_EQ(ParseLeadingNumber(text), value) << text;

    std::string junk, spaced;  // blanks, tabs and line feeds never change what is read
    for (int n = below(16); n > 0; --n) {
      junk += kJunk[below(sizeof kJunk - 1)];
      while (below(3) == 0) spaced += " \t\n"[below(3)];
      spaced += junk.back();
    }
    ASSERT_EQ(ParseLeadingNumber(junk), ParseLeadingNumber(spaced)) << junk;

    text.assign(below(300), '\0');  // binary: a value that round-trips, or nothing
    for (char& c : text) c = static_cast<char>(random());
    const std::optional<Fixed> read = ParseLeadingNumber(text);
    ASSERT_EQ(read ? ParseLeadingNumber(FixedToText(*read)) : read, read);

    std::vector<unsigned char> buffer(below(40));  // registry data of any type, length and content
    for (auto& b : buffer) b = static_cast<unsigned char>(below(3) == 0 ? 0 : random());
    const std::size_t length = below(50);
    const auto type = static_cast<std::uint32_t>(below(12));
    text = RegistryDataToText(type, buffer, length);
    if (type == kRegDword || type == kRegDwordBigEndian) {
      ASSERT_TRUE(!text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
                  (text == "0" || text[0] != '0')) << text;
    } else {  // texts lose only a final zero byte
      const bool isText = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
      const std::size_t n = std::min(length, buffer.size());
      const std::size_t kept = isText && n > 0 && buffer[n - 1] == 0 ? n - 1 : n;
      ASSERT_EQ(text, std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept)));
    }
    const std::size_t count = below(45);
    ASSERT_LE(BytesToText(buffer, below(45), count, true).size(), std::min(count, buffer.size()));
  }
  const std::string many(1 << 20, '9');
  EXPECT_EQ(ParseLeadingNumber(many), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, '0') + "1"), Fixed::Whole(1));
  EXPECT_EQ(ParseLeadingNumber("0." + many), Fixed::Whole(1));
  EXPECT_EQ(ParseLeadingNumber("1e" + many), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("1e-" + many), Fixed::Whole(0));
  EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, ' ') + "5"), Fixed::Whole(5));
}

}  // namespace
}  // namespace corvane
