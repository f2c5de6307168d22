#include "storage/font_rules.h"

#include <gtest/gtest.h>

#include "support/font.h"

namespace corvane {
namespace {

constexpr Fixed W(std::int64_t n) { return Fixed::Whole(n); }

TEST(FontRules, BoldDecidesTheWeightAndFlagsNeedExactlyOne) {
  StoredFont stored{"Arial", W(8), W(300), Fixed{}, W(1), W(1), W(2), W(-1)};
  const FontRecord font = FontFromStored(stored, FontRecord{});
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.weight(), 700);
  EXPECT_TRUE(font.italic);
  EXPECT_FALSE(font.underline || font.strikethrough);
  stored.weight = W(700);
  for (Fixed notOne : {Fixed{}, W(2), W(-1), Fixed{10001}}) {
    stored.bold = notOne;
    EXPECT_EQ(FontFromStored(stored, FontRecord{}).weight(), 400) << notOne.units;
  }
}

TEST(FontRules, ValuesTheFontCannotTakeFallBackOneByOne) {
  const FontRecord fallback = testing::MakeFont("Small Fonts", 6, 204);
  // An empty name, no size, an absurd weight (Bold decides anyway), a negative charset; good values still apply.
  StoredFont stored{"", Fixed{}, W(30000), W(-3), Fixed{}, W(1), Fixed{}, Fixed{}};
  FontRecord expected = fallback;
  expected.italic = true;
  EXPECT_EQ(FontFromStored(stored, fallback), expected);
  for (auto [size, kept] : {std::pair{W(-12), false}, {W(1639), false}, {W(1638), true}, {Fixed{1}, true}}) {
    stored.size = size;
    EXPECT_EQ(FontFromStored(stored, fallback).size, kept ? size : fallback.size) << size.units;
  }
  for (auto [charset, kept] : {std::pair{256, false}, {0, true}, {255, true}}) {
    stored.charset = W(charset);
    EXPECT_EQ(FontFromStored(stored, fallback).charset, kept ? charset : 204) << charset;
  }
  // A face name has room for 31 characters.
  for (auto [length, kept] : {std::pair{31u, true}, {32u, false}, {32766u, false}}) {
    stored.name.assign(length, 'A');
    EXPECT_EQ(FontFromStored(stored, fallback).name, kept ? stored.name : fallback.name) << length;
  }
}

TEST(FontRules, StoredSizeIsWholePointsHalvesToEvenAndFlagsOneOrZero) {
  FontRecord font;
  for (auto [units, whole] : {std::pair{97500, 10}, {85000, 8}, {95000, 10}, {84999, 8}}) {
    font.size = Fixed{units};
    EXPECT_EQ(StoredFromFont(font).size, W(whole)) << units;
  }
  font.setWeight(900);
  EXPECT_EQ(StoredFromFont(font), (StoredFont{"MS Sans Serif", W(8), W(900), Fixed{}, W(1), Fixed{}, Fixed{}, Fixed{}}));
}

}  // namespace
}  // namespace corvane
