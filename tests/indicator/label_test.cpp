#include "indicator/label.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::array<char, 4> Buffer(const char (&text)[5]) { return {text[0], text[1], text[2], text[3]}; }

TEST(LabelFromLocaleName, UpperCasesTheNameTheQueryWrote) {
  // Two letters: the name, its null and the fourth space untouched.
  EXPECT_EQ(LabelFromLocaleName(Buffer("en\0 "), 3), "EN");
  EXPECT_EQ(LabelFromLocaleName(Buffer("ru\0 "), 3), "RU");
  // Three letters fill the buffer up to its null.
  EXPECT_EQ(LabelFromLocaleName(Buffer("haw\0"), 4), "HAW");
  EXPECT_EQ(LabelFromLocaleName(Buffer("Uk\0 "), 3), "UK");
  // Only a-z change: nothing locale-dependent (no dotted capital I).
  EXPECT_EQ(LabelFromLocaleName(Buffer("iu\0 "), 3), "IU");
  EXPECT_EQ(LabelFromLocaleName(Buffer("x1\0 "), 3), "X1");
}

TEST(LabelFromLocaleName, SpacesAroundTheNameAreDropped) {
  EXPECT_EQ(LabelFromLocaleName(Buffer(" de\0"), 4), "DE");
  EXPECT_EQ(LabelFromLocaleName(Buffer("d \0 "), 3), "D");
  EXPECT_EQ(LabelFromLocaleName(Buffer("a b\0"), 4), "A B");
}

TEST(LabelFromLocaleName, AFailedQueryShowsTheUnknownLabel) {
  // The buffer is left as it was: four spaces, no null.
  EXPECT_EQ(LabelFromLocaleName(Buffer("    "), 0), kUnknownLanguageLabel);
  // A failure that still wrote into the buffer is a failure all the same.
  EXPECT_EQ(LabelFromLocaleName(Buffer("en\0 "), 0), kUnknownLanguageLabel);
  EXPECT_EQ(LabelFromLocaleName(Buffer("en\0 "), -1), kUnknownLanguageLabel);
  // Success claimed, but nothing usable: no null, an empty or a blank name.
  EXPECT_EQ(LabelFromLocaleName(Buffer("abcd"), 4), kUnknownLanguageLabel);
  EXPECT_EQ(LabelFromLocaleName(Buffer("\0   "), 1), kUnknownLanguageLabel);
  EXPECT_EQ(LabelFromLocaleName(Buffer("  \0 "), 3), kUnknownLanguageLabel);
  EXPECT_STREQ(kUnknownLanguageLabel, "??");
}

TEST(FontHeightForPoints, PointsAtTheScreenDpiToTheNearestPixel) {
  EXPECT_EQ(FontHeightForPoints(Fixed::Whole(6), 96), -8);
  EXPECT_EQ(FontHeightForPoints(Fixed::Whole(8), 96), -11);     // 10.67
  EXPECT_EQ(FontHeightForPoints(Fixed::Whole(6), 120), -10);
  EXPECT_EQ(FontHeightForPoints(Fixed{82500}, 120), -14);       // 8.25 pt: 13.75
  EXPECT_EQ(FontHeightForPoints(Fixed{75000}, 96), -10);        // 7.5 pt: exactly 10
  EXPECT_EQ(FontHeightForPoints(Fixed{3750}, 96), -1);          // 0.375 pt: a half, away from zero
  EXPECT_EQ(FontHeightForPoints(Fixed{11250}, 96), -2);         // 1.125 pt: 1.5
  EXPECT_EQ(FontHeightForPoints(Fixed{3749}, 96), 0);
  EXPECT_EQ(FontHeightForPoints(Fixed{}, 96), 0);
  EXPECT_EQ(FontHeightForPoints(Fixed::Whole(72), 144), -144);
  // Sizes far beyond any dialog's range neither overflow nor lose their sign.
  EXPECT_EQ(FontHeightForPoints(Fixed::Whole(1638), 96), -2184);
}

TEST(SystemColorIndex, TopBitNamesASystemColourByItsLowByte) {
  EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0x80000008u)), 8);
  EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0x8000000Fu)), 15);
  EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0xFFFFFFFFu)), 255);
  EXPECT_EQ(SystemColorIndex(0x00FFFFFF), std::nullopt);
  EXPECT_EQ(SystemColorIndex(0), std::nullopt);
  EXPECT_EQ(PlainColor(0x000000FF), 0x0000FFu);
  EXPECT_EQ(PlainColor(0x7F123456), 0x123456u);
}

}  // namespace
}  // namespace corvane
