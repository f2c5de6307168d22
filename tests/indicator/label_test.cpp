#include "indicator/label.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(LabelFromLocaleName, UpperCasesTheWrittenNameOrShowsTheUnknownLabel) {
  // The buffer starts as four spaces; the result counts the characters written with their null.
  const struct { char buffer[5]; int result; const char* label; } cases[] = {
      {"en\0 ", 3, "EN"}, {"haw\0", 4, "HAW"}, {"Uk\0 ", 3, "UK"}, {"x1\0 ", 3, "X1"},
      {"iu\0 ", 3, "IU"},  // only a-z change: no locale's dotted capital I
      {" de\0", 4, "DE"}, {"d \0 ", 3, "D"},   {"a b\0", 4, "A B"},
      // A failed query, whatever it left; claimed success without a usable name.
      {"    ", 0, "??"},  {"en\0 ", 0, "??"}, {"en\0 ", -1, "??"}, {"abcd", 4, "??"},
      {"\0   ", 1, "??"}, {"  \0 ", 3, "??"}};
  for (const auto& c : cases) {
    const std::array<char, 4> buffer{c.buffer[0], c.buffer[1], c.buffer[2], c.buffer[3]};
    EXPECT_EQ(LabelFromLocaleName(buffer, c.result), c.label) << c.buffer << " " << c.result;
  }
}

TEST(FontHeightForPoints, PointsAtTheScreenDpiToTheNearestPixelHalvesAwayFromZero) {
  const struct { std::int64_t units; int dpi; int height; } cases[] = {
      {60000, 96, -8},  {80000, 96, -11},  {82500, 120, -14}, {75000, 96, -10}, {720000, 144, -144},
      {3750, 96, -1},   {11250, 96, -2},   {3749, 96, 0},     {0, 96, 0},
      {16380000, 96, -2184}};  // far beyond any dialog's range: no overflow, sign kept
  for (const auto& c : cases) EXPECT_EQ(FontHeightForPoints(Fixed{c.units}, c.dpi), c.height) << c.units;
}

TEST(SystemColorIndex, TopBitNamesASystemColourByItsLowByte) {
  EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0x80000008u)), 8);
  EXPECT_EQ(SystemColorIndex(static_cast<std::int32_t>(0xFFFFFFFFu)), 255);
  EXPECT_EQ(SystemColorIndex(0x00FFFFFF), std::nullopt);
  EXPECT_EQ(SystemColorIndex(0), std::nullopt);
  EXPECT_EQ(PlainColor(0x7F123456), 0x123456u);
}

}  // namespace
}  // namespace corvane
