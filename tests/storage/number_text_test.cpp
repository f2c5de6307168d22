#include "storage/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::optional<Fixed> kNoValue = std::nullopt;

void ExpectReads(const std::vector<std::pair<std::string, std::optional<Fixed>>>& cases) {
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseLeadingNumber(text), expected) << '"' << text << '"';
}
std::optional<Fixed> W(std::int64_t n) { return Fixed::Whole(n); }
std::optional<Fixed> U(std::int64_t units) { return Fixed{units}; }

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinue) {
  ExpectReads({{"255", W(255)},       {"12abc", W(12)},  {"-2147483640", W(-2147483640)}, {"+7", W(7)},
               {"9.75", U(97500)},    {".5", U(5000)},   {"-.25x", U(-2500)},             {"1.5.3", U(15000)},
               {"1,5", W(1)},         {"4-3", W(4)},     {"0017", W(17)},  // leading zeros are not octal
               {"1e3", W(1000)},      {"1D3", W(1000)},  {"25E-1", U(25000)},             {"2.5d+2", W(250)},
               {"7e", W(7)},          {"7e+x", W(7)},    {"1000000e-6", W(1)}});
}

TEST(LeadingNumber, NoNumberIsZeroAndBlanksTabsLineFeedsAreSkippedAnywhere) {
  ExpectReads({{"", W(0)},         {"abc", W(0)},        {"-", W(0)},          {".", W(0)},
               {"e5", W(0)},       {"--1", W(0)},        {"$5", W(0)},         {" \t\n", W(0)},
               {" 8", W(8)},       {"  255  ", W(255)},  {"1 2\t3\n4", W(1234)}, {"- 1 . 5", U(-15000)},
               {"1 e 3", W(1000)}, {"1\r2", W(1)}});  // a carriage return is no blank
}

TEST(LeadingNumber, RoundsToTenThousandthsHalvesToEven) {
  ExpectReads({{"0.00004", U(0)},    {"0.00006", U(1)},           {"0.00005", U(0)},
               {"0.00015", U(2)},    {"0.000050000001", U(1)},    {"-1.23455", U(-12346)},
               {"-1.23445", U(-12344)}, {"-0.00001", U(0)},       {"5e-999999999999999999999", U(0)}});
}

TEST(LeadingNumber, OutOfRangeHexadecimalAndOctalHaveNoValue) {
  ExpectReads({{"922337203685477.5807", U(kMax)},   {"-922337203685477.5808", U(kMin)},
               {"922337203685477.58074", U(kMax)},  {"922337203685477.5808", kNoValue},
               {"922337203685477.58075", kNoValue}, {"-922337203685477.5809", kNoValue},
               {"1e15", kNoValue},                  {"1e999999999999999999999", kNoValue},
               {"0e999999999999999999999", W(0)},   {std::string(30, '0') + "1", W(1)},
               {"&H1F", kNoValue},  {"&hff", kNoValue}, {"&O17", kNoValue}, {"&17", kNoValue},
               {"0x1F", kNoValue},  {"-&H10", kNoValue}, {" & H 1F", kNoValue}, {"+0x7", kNoValue},
               {"0xg", W(0)},       {"&", W(0)},         {"&8", W(0)}});
}

TEST(NumberText, WritesPlainDecimalWithAPointOnlyForFractions) {
  for (auto [units, text] : {std::pair{std::int64_t{0}, "0"}, {4000000, "400"}, {167116800000, "16711680"},
                             {-21474836400000, "-2147483640"}, {97500, "9.75"}, {1, "0.0001"}, {-5, "-0.0005"},
                             {kMax, "922337203685477.5807"}, {kMin, "-922337203685477.5808"}}) {
    EXPECT_EQ(FixedToText(Fixed{units}), text);
  }
}

TEST(NumberText, MaxValueAndDwordFromText) {
  EXPECT_EQ(MaxValue(Fixed::Whole(-1), Fixed::Whole(0)), 0);
  EXPECT_EQ(MaxValue(Fixed{25000}, Fixed{15000}), 2);
  EXPECT_EQ(MaxValue(Fixed::Whole(5'000'000'000), Fixed{}), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(MaxValue(Fixed::Whole(-5'000'000'000), Fixed::Whole(-6'000'000'000)),
            std::numeric_limits<std::int32_t>::min());

  EXPECT_EQ(DwordFromText("1000"), 1000);
  EXPECT_EQ(DwordFromText("-1"), -1);
  EXPECT_EQ(DwordFromText("2.5"), 2);
  EXPECT_EQ(DwordFromText("3.5"), 4);
  EXPECT_EQ(DwordFromText("none"), 0);
  EXPECT_EQ(DwordFromText("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(DwordFromText("2147483648"), std::nullopt);
  EXPECT_EQ(DwordFromText("&HFF"), std::nullopt);
}

}  // namespace
}  // namespace corvane
