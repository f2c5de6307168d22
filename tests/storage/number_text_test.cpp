#include "storage/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace corvane {
namespace {

std::optional<Fixed> Units(std::int64_t units) { return Fixed{units}; }
std::optional<Fixed> Whole(std::int64_t n) { return Fixed::Whole(n); }

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndStopsWhereItCannotContinue) {
  EXPECT_EQ(ParseLeadingNumber("255"), Whole(255));
  EXPECT_EQ(ParseLeadingNumber("12abc"), Whole(12));
  EXPECT_EQ(ParseLeadingNumber("-2147483640"), Whole(-2147483640));
  EXPECT_EQ(ParseLeadingNumber("+7"), Whole(7));
  EXPECT_EQ(ParseLeadingNumber("9.75"), Units(97500));
  EXPECT_EQ(ParseLeadingNumber(".5"), Units(5000));
  EXPECT_EQ(ParseLeadingNumber("-.25x"), Units(-2500));
  EXPECT_EQ(ParseLeadingNumber("1.5.3"), Units(15000));
  EXPECT_EQ(ParseLeadingNumber("1,5"), Whole(1));
  EXPECT_EQ(ParseLeadingNumber("4-3"), Whole(4));
  EXPECT_EQ(ParseLeadingNumber("0017"), Whole(17)) << "leading zeros are decimal, not octal";
}

TEST(LeadingNumber, TextWithoutANumberReadsAsZero) {
  for (const char* text : {"", "abc", "red", "-", "+", ".", "-.", "e5", "   ", "\t\n", "--1", "+-1", "$5"}) {
    EXPECT_EQ(ParseLeadingNumber(text), Whole(0)) << '"' << text << '"';
  }
}

TEST(LeadingNumber, BlanksTabsAndLineFeedsAreSkippedAnywhere) {
  EXPECT_EQ(ParseLeadingNumber(" 8"), Whole(8));
  EXPECT_EQ(ParseLeadingNumber("  255  "), Whole(255));
  EXPECT_EQ(ParseLeadingNumber("1 2\t3\n4"), Whole(1234));
  EXPECT_EQ(ParseLeadingNumber("- 1 . 5"), Units(-15000));
  EXPECT_EQ(ParseLeadingNumber("1 e 3"), Whole(1000));
  // A carriage return is no blank: it ends the number.
  EXPECT_EQ(ParseLeadingNumber("1\r2"), Whole(1));
}

TEST(LeadingNumber, ExponentWithEOrD) {
  EXPECT_EQ(ParseLeadingNumber("1e3"), Whole(1000));
  EXPECT_EQ(ParseLeadingNumber("1D3"), Whole(1000));
  EXPECT_EQ(ParseLeadingNumber("25E-1"), Units(25000));
  EXPECT_EQ(ParseLeadingNumber("2.5d+2"), Whole(250));
  EXPECT_EQ(ParseLeadingNumber("7e"), Whole(7));
  EXPECT_EQ(ParseLeadingNumber("7e+"), Whole(7));
  EXPECT_EQ(ParseLeadingNumber("7ex"), Whole(7));
  EXPECT_EQ(ParseLeadingNumber("0e999999999999999999999"), Whole(0));
  EXPECT_EQ(ParseLeadingNumber("5e-999999999999999999999"), Whole(0));
  EXPECT_EQ(ParseLeadingNumber("1000000e-6"), Whole(1));
}

TEST(LeadingNumber, RoundsToTheNearestTenThousandthHalvesToEven) {
  EXPECT_EQ(ParseLeadingNumber("0.00004"), Units(0));
  EXPECT_EQ(ParseLeadingNumber("0.00006"), Units(1));
  EXPECT_EQ(ParseLeadingNumber("0.00005"), Units(0));
  EXPECT_EQ(ParseLeadingNumber("0.00015"), Units(2));
  EXPECT_EQ(ParseLeadingNumber("0.000050000001"), Units(1));
  EXPECT_EQ(ParseLeadingNumber("-1.23455"), Units(-12346));
  EXPECT_EQ(ParseLeadingNumber("-1.23445"), Units(-12344));
  EXPECT_EQ(ParseLeadingNumber("0.000001"), Units(0));
  EXPECT_EQ(ParseLeadingNumber("-0.00001"), Units(0));
}

TEST(LeadingNumber, TheWholeFixedRangeAndNothingBeyond) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(ParseLeadingNumber("922337203685477.5807"), Units(kMax));
  EXPECT_EQ(ParseLeadingNumber("-922337203685477.5808"), Units(kMin));
  EXPECT_EQ(ParseLeadingNumber("922337203685477.58074"), Units(kMax));
  EXPECT_EQ(ParseLeadingNumber("922337203685477.5808"), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("922337203685477.58075"), std::nullopt) << "rounds past the top";
  EXPECT_EQ(ParseLeadingNumber("-922337203685477.5809"), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("1e15"), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("99999999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("1e999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseLeadingNumber("0000000000000000000000000000001"), Whole(1));
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1"), Whole(0));
}

TEST(LeadingNumber, HexadecimalAndOctalNotationsHaveNoValue) {
  for (const char* text : {"&H1F", "&hff", "&O17", "&o7", "&17", "0x1F", "0X0", "-&H10", " & H 1F", "+0x7"}) {
    EXPECT_EQ(ParseLeadingNumber(text), std::nullopt) << text;
  }
  // Without digits after the prefix they are ordinary leading numbers.
  EXPECT_EQ(ParseLeadingNumber("0xg"), Whole(0));
  EXPECT_EQ(ParseLeadingNumber("&"), Whole(0));
  EXPECT_EQ(ParseLeadingNumber("&8"), Whole(0));
}

TEST(NumberText, PlainDecimalWithAPointOnlyForFractions) {
  EXPECT_EQ(FixedToText(Fixed::Whole(0)), "0");
  EXPECT_EQ(FixedToText(Fixed::Whole(400)), "400");
  EXPECT_EQ(FixedToText(Fixed::Whole(16711680)), "16711680");
  EXPECT_EQ(FixedToText(Fixed::Whole(-2147483640)), "-2147483640");
  EXPECT_EQ(FixedToText(Fixed{97500}), "9.75");
  EXPECT_EQ(FixedToText(Fixed{1}), "0.0001");
  EXPECT_EQ(FixedToText(Fixed{-5}), "-0.0005");
  EXPECT_EQ(FixedToText(Fixed{std::numeric_limits<std::int64_t>::max()}), "922337203685477.5807");
  EXPECT_EQ(FixedToText(Fixed{std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808");
}

TEST(NumberText, MaxValueGivesTheLargerAsA32BitInteger) {
  EXPECT_EQ(MaxValue(Fixed::Whole(-1), Fixed::Whole(0)), 0);
  EXPECT_EQ(MaxValue(Fixed::Whole(3), Fixed::Whole(0)), 3);
  EXPECT_EQ(MaxValue(Fixed{25000}, Fixed{15000}), 2);
  EXPECT_EQ(MaxValue(Fixed::Whole(5'000'000'000), Fixed::Whole(0)), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(MaxValue(Fixed::Whole(-5'000'000'000), Fixed::Whole(-6'000'000'000)),
            std::numeric_limits<std::int32_t>::min());
}

TEST(NumberText, DwordFromTextRoundsAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(DwordFromText("1000"), 1000);
  EXPECT_EQ(DwordFromText("-1"), -1);
  EXPECT_EQ(DwordFromText("2.5"), 2);
  EXPECT_EQ(DwordFromText("3.5"), 4);
  EXPECT_EQ(DwordFromText("none"), 0);
  EXPECT_EQ(DwordFromText("2147483647"), 2147483647);
  EXPECT_EQ(DwordFromText("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(DwordFromText("2147483648"), std::nullopt);
  EXPECT_EQ(DwordFromText("4294967295"), std::nullopt);
  EXPECT_EQ(DwordFromText("&HFF"), std::nullopt);
}

}  // namespace
}  // namespace corvane
