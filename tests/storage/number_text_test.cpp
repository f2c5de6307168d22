#include "storage/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace corvane {
namespace {

constexpr std::optional<Fixed> kNone = std::nullopt;
std::optional<Fixed> W(std::int64_t n) { return Fixed::Whole(n); }
std::optional<Fixed> U(std::int64_t units) { return Fixed{units}; }

TEST(LeadingNumber, ReadsAsHandEditedFilesHoldNumbers) {
  const std::pair<std::string, std::optional<Fixed>> cases[] = {
      // Sign, digits, point, exponent with E or D, up to the first character that cannot continue.
      {"12abc", W(12)}, {"+7", W(7)}, {"9.75", U(97500)}, {".5", U(5000)}, {"-.25x", U(-2500)}, {"1.5.3", U(15000)},
      {"1,5", W(1)}, {"0017", W(17)}, {"1e3", W(1000)}, {"25E-1", U(25000)}, {"2.5d+2", W(250)}, {"7e+x", W(7)},
      // No number is 0; blanks, tabs and line feeds are skipped anywhere, a carriage return is no blank.
      {"", W(0)}, {"abc", W(0)}, {"-", W(0)}, {".", W(0)}, {"e5", W(0)}, {"--1", W(0)}, {" \t\n", W(0)}, {" 8", W(8)},
      {"  255  ", W(255)}, {"1 2\t3\n4", W(1234)}, {"- 1 . 5", U(-15000)}, {"1 e 3", W(1000)}, {"1\r2", W(1)},
      // Rounded to ten-thousandths, halves to even; out of range, hexadecimal and octal: no value.
      {"0.00004", U(0)}, {"0.00006", U(1)}, {"0.00005", U(0)}, {"0.00015", U(2)}, {"0.000050000001", U(1)},
      {"-1.23455", U(-12346)}, {"-1.23445", U(-12344)}, {"5e-999999999999999999999", U(0)},
      {"922337203685477.5807", U(INT64_MAX)}, {"-922337203685477.5808", U(INT64_MIN)},
      {"922337203685477.58074", U(INT64_MAX)}, {"922337203685477.5808", kNone}, {"922337203685477.58075", kNone},
      {"-922337203685477.5809", kNone}, {"1e15", kNone}, {"1e999999999999999999999", kNone},
      {"0e999999999999999999999", W(0)}, {std::string(30, '0') + "1", W(1)}, {"&H1F", kNone}, {"&hff", kNone},
      {"&O17", kNone}, {"&17", kNone}, {"0x1F", kNone}, {"-&H10", kNone}, {" & H 1F", kNone}, {"+0x7", kNone},
      {"0xg", W(0)}, {"&", W(0)}, {"&8", W(0)}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseLeadingNumber(text), expected) << '"' << text << '"';
}

TEST(NumberText, WritesPlainDecimalAndRoundsToWholeNumbers) {
  for (auto [units, text] : {std::pair{std::int64_t{0}, "0"}, {4000000, "400"}, {167116800000, "16711680"},
                             {-21474836400000, "-2147483640"}, {97500, "9.75"}, {1, "0.0001"}, {-5, "-0.0005"},
                             {INT64_MAX, "922337203685477.5807"}, {INT64_MIN, "-922337203685477.5808"}})
    EXPECT_EQ(FixedToText(Fixed{units}), text);
  EXPECT_EQ(MaxValue(Fixed::Whole(-1), Fixed::Whole(0)), 0);
  EXPECT_EQ(MaxValue(Fixed{25000}, Fixed{15000}), 2);
  EXPECT_EQ(MaxValue(Fixed::Whole(5'000'000'000), Fixed{}), INT32_MAX);
  EXPECT_EQ(MaxValue(Fixed::Whole(-5'000'000'000), Fixed::Whole(-6'000'000'000)), INT32_MIN);
  for (auto [text, dword] : {std::pair<const char*, std::optional<std::int32_t>>{"1000", 1000}, {"-1", -1}, {"2.5", 2},
                             {"3.5", 4}, {"none", 0}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
                             {"&HFF", std::nullopt}})
    EXPECT_EQ(DwordFromText(text), dword) << text;
}

}  // namespace
}  // namespace corvane
