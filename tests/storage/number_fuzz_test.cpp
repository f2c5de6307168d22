// Randomised checks of the number reader and the registry text conversions:
// malformed, huge and binary input must give a value in range or nothing, and
// well-formed numbers must match an independent exact computation.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "storage/number_text.h"
#include "storage/registry_text.h"

namespace corvane {
namespace {

class NumberFuzz : public ::testing::Test {
 protected:
  std::mt19937_64 random{20261207};
  int Below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
  std::string Digits(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text.push_back(static_cast<char>('0' + Below(10)));
    return text;
  }
};

// Exact value of sign * intPart.fracPart * 10^exponent in ten-thousandths,
// halves to even; nothing outside the Fixed range. The digits number at most 18.
std::optional<Fixed> Reference(bool negative, const std::string& intPart, const std::string& fracPart, int exponent) {
  std::int64_t units = 0;
  for (char c : intPart + fracPart) units = units * 10 + (c - '0');
  if (negative) units = -units;
  int shift = exponent - static_cast<int>(fracPart.size()) + 4;
  for (; shift > 0; --shift) {
    if (__builtin_mul_overflow(units, 10, &units)) return std::nullopt;
  }
  if (shift < 0) {
    std::int64_t divisor = 1;
    for (; shift < 0; ++shift) divisor *= 10;
    std::int64_t rest = units % divisor;
    units /= divisor;
    std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > divisor || (twice == divisor && units % 2 != 0)) units += negative ? -1 : 1;
  }
  return Fixed{units};
}

TEST_F(NumberFuzz, WellFormedNumbersMatchAnExactComputation) {
  for (int i = 0; i < 200000; ++i) {
    bool negative = Below(2) == 0;
    std::string intPart = Digits(Below(13));
    std::string fracPart = Below(3) == 0 ? "" : Digits(Below(7));
    int exponent = Below(3) == 0 ? Below(25) - 12 : 0;
    std::string text = negative ? "-" : (Below(2) ? "+" : "");
    text += intPart;
    if (!fracPart.empty() || Below(4) == 0) text += "." + fracPart;
    if (exponent != 0 || Below(8) == 0) {
      text += "eEdD"[Below(4)];
      text += std::to_string(exponent);
    }
    if (Below(2)) text += "xyz,+-e.&"[Below(9)];  // what follows a number ends it
    if (intPart.empty() && fracPart.empty()) continue;
    std::optional<Fixed> expected = Reference(negative, intPart, fracPart, exponent);
    ASSERT_EQ(ParseLeadingNumber(text), expected) << text;
  }
}

TEST_F(NumberFuzz, EveryFixedValueSurvivesTheWrittenText) {
  for (int i = 0; i < 200000; ++i) {
    Fixed value{static_cast<std::int64_t>(random())};
    if (i % 4 == 0) value.units %= 1000000000;  // short values as well as long ones
    std::string text = FixedToText(value);
    ASSERT_EQ(text.find_first_of(" ,\t"), std::string::npos) << text;
    ASSERT_EQ(ParseLeadingNumber(text), value) << text;
  }
}

TEST_F(NumberFuzz, BlanksNeverChangeWhatIsRead) {
  const std::string alphabet = "0123456789+-.eEdD&HhOoxXa";
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    for (int n = Below(16); n > 0; --n) text.push_back(alphabet[Below(static_cast<int>(alphabet.size()))]);
    std::string spaced;
    for (char c : text) {
      while (Below(3) == 0) spaced.push_back(" \t\n"[Below(3)]);
      spaced.push_back(c);
    }
    ASSERT_EQ(ParseLeadingNumber(text), ParseLeadingNumber(spaced)) << text;
  }
}

TEST_F(NumberFuzz, BinaryAndHugeInputGiveAValueThatRoundTripsOrNothing) {
  for (int i = 0; i < 100000; ++i) {
    std::string text(static_cast<std::size_t>(Below(300)), '\0');
    for (char& c : text) c = static_cast<char>(random());
    if (std::optional<Fixed> value = ParseLeadingNumber(text)) {
      ASSERT_EQ(ParseLeadingNumber(FixedToText(*value)), value);
    }
  }
  EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, '9')), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, '0') + "1"), Fixed::Whole(1));
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(1 << 20, '9')), Fixed::Whole(1));
  EXPECT_EQ(ParseLeadingNumber("1e" + std::string(1 << 20, '9')), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("1e-" + std::string(1 << 20, '9')), Fixed::Whole(0));
  EXPECT_EQ(ParseLeadingNumber(std::string(1 << 20, ' ') + "5"), Fixed::Whole(5));
}

TEST_F(NumberFuzz, RegistryDataOfAnyTypeAndLength) {
  for (int i = 0; i < 50000; ++i) {
    std::vector<unsigned char> buffer(static_cast<std::size_t>(Below(40)));
    for (auto& b : buffer) b = static_cast<unsigned char>(Below(3) == 0 ? 0 : random());
    std::size_t length = static_cast<std::size_t>(Below(50));
    auto type = static_cast<std::uint32_t>(Below(12));
    std::string text = RegistryDataToText(type, buffer, length);
    std::size_t n = std::min(length, buffer.size());
    if (type == kRegDword || type == kRegDwordBigEndian) {
      ASSERT_FALSE(text.empty());
      ASSERT_EQ(text.find_first_not_of("0123456789"), std::string::npos);
      ASSERT_TRUE(text == "0" || text[0] != '0');
    } else if (type == kRegSz || type == kRegExpandSz || type == kRegMultiSz) {
      ASSERT_EQ(text.size(), n > 0 && buffer[n - 1] == 0 ? n - 1 : n);
    } else {
      ASSERT_EQ(text, std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n)));
    }
    std::size_t start = static_cast<std::size_t>(Below(45));
    std::size_t count = static_cast<std::size_t>(Below(45));
    std::string part = BytesToText(buffer, start, count, true);
    ASSERT_LE(part.size(), count);
    ASSERT_LE(part.size(), buffer.size());
  }
}

}  // namespace
}  // namespace corvane
