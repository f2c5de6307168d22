#include "storage/font_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

FontRecord SmallFonts() {
  FontRecord font;
  font.name = "Small Fonts";
  font.size = Fixed::Whole(6);
  font.charset = 204;
  return font;
}

TEST(FontRules, DefaultsComeFromTheFallbackAndGiveItBack) {
  FontRecord fallback = SmallFonts();
  fallback.setBold(true);
  fallback.underline = true;
  const StoredFont defaults = StoredFontDefaults(fallback);
  EXPECT_EQ(defaults, (StoredFont{"Small Fonts", Fixed::Whole(6), Fixed::Whole(700), Fixed::Whole(204),
                                  Fixed::Whole(1), Fixed{}, Fixed::Whole(1), Fixed{}}));
  EXPECT_EQ(FontFromStored(defaults, fallback), fallback);
  EXPECT_EQ(FontFromStored(StoredFontDefaults(FontRecord{}), FontRecord{}), FontRecord{});
}

TEST(FontRules, BoldDecidesTheWeightAndFlagsNeedExactlyOne) {
  StoredFont stored = StoredFontDefaults(FontRecord{});
  stored.weight = Fixed::Whole(300);
  stored.bold = Fixed::Whole(1);
  stored.italic = Fixed::Whole(1);
  stored.under = Fixed::Whole(2);
  stored.strike = Fixed::Whole(-1);
  FontRecord font = FontFromStored(stored, FontRecord{});
  EXPECT_EQ(font.weight(), 700);
  EXPECT_TRUE(font.italic);
  EXPECT_FALSE(font.underline || font.strikethrough);

  stored.weight = Fixed::Whole(700);
  for (Fixed notOne : {Fixed{}, Fixed::Whole(2), Fixed::Whole(-1), Fixed{10001}}) {
    stored.bold = notOne;
    EXPECT_EQ(FontFromStored(stored, FontRecord{}).weight(), 400) << notOne.units;
  }
}

TEST(FontRules, ValuesTheFontCannotTakeFallBackOneByOne) {
  const FontRecord fallback = SmallFonts();
  StoredFont stored = StoredFontDefaults(fallback);
  stored.name = "";
  stored.size = Fixed{};
  stored.weight = Fixed::Whole(30000);  // then decided by Bold anyway
  stored.charset = Fixed::Whole(-3);
  stored.italic = Fixed::Whole(1);
  FontRecord expected = fallback;
  expected.italic = true;  // good values beside bad ones still apply
  EXPECT_EQ(FontFromStored(stored, fallback), expected);

  for (auto [size, kept] : {std::pair{Fixed::Whole(-12), false}, {Fixed::Whole(1639), false},
                            {Fixed::Whole(1638), true}, {Fixed{1}, true}}) {
    stored.size = size;
    EXPECT_EQ(FontFromStored(stored, fallback).size, kept ? size : fallback.size) << size.units;
  }
  stored.charset = Fixed::Whole(256);
  EXPECT_EQ(FontFromStored(stored, fallback).charset, 204);
  stored.charset = Fixed{};
  stored.name = "Arial";
  EXPECT_EQ(FontFromStored(stored, fallback).charset, 0);
  EXPECT_EQ(FontFromStored(stored, fallback).name, "Arial");
}

TEST(FontRules, StoredSizeIsWholePointsHalvesToEven) {
  FontRecord font = SmallFonts();
  for (auto [units, whole] : {std::pair{97500, 10}, {85000, 8}, {95000, 10}, {84999, 8}}) {
    font.size = Fixed{units};
    EXPECT_EQ(StoredFromFont(font).size, Fixed::Whole(whole)) << units;
  }
  font.setWeight(900);
  EXPECT_EQ(StoredFromFont(font).weight, Fixed::Whole(900));
  EXPECT_EQ(StoredFromFont(font).bold, Fixed::Whole(1));
}

}  // namespace
}  // namespace corvane
