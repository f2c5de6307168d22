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

TEST(FontRules, DefaultsComeFromTheFallbackFont) {
  FontRecord fallback = SmallFonts();
  fallback.setBold(true);
  fallback.underline = true;
  StoredFont defaults = StoredFontDefaults(fallback);
  EXPECT_EQ(defaults.name, "Small Fonts");
  EXPECT_EQ(defaults.size, Fixed::Whole(6));
  EXPECT_EQ(defaults.weight, Fixed::Whole(700));
  EXPECT_EQ(defaults.charset, Fixed::Whole(204));
  EXPECT_EQ(defaults.bold, Fixed::Whole(1));
  EXPECT_EQ(defaults.italic, Fixed::Whole(0));
  EXPECT_EQ(defaults.under, Fixed::Whole(1));
  EXPECT_EQ(defaults.strike, Fixed::Whole(0));
  // Loading nothing but the defaults gives the fallback back.
  EXPECT_EQ(FontFromStored(defaults, fallback), fallback);
  EXPECT_EQ(FontFromStored(StoredFontDefaults(FontRecord{}), FontRecord{}), FontRecord{});
}

TEST(FontRules, BoldDecidesTheWeight) {
  StoredFont stored = StoredFontDefaults(FontRecord{});
  stored.weight = Fixed::Whole(300);
  stored.bold = Fixed::Whole(1);
  FontRecord font = FontFromStored(stored, FontRecord{});
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.weight(), 700);

  stored.weight = Fixed::Whole(700);
  for (Fixed notOne : {Fixed::Whole(0), Fixed::Whole(2), Fixed::Whole(-1), Fixed{10001}}) {
    stored.bold = notOne;
    font = FontFromStored(stored, FontRecord{});
    EXPECT_FALSE(font.bold()) << notOne.units;
    EXPECT_EQ(font.weight(), 400) << notOne.units;
  }
}

TEST(FontRules, FlagsAreSetOnlyByExactlyOne) {
  StoredFont stored = StoredFontDefaults(FontRecord{});
  stored.italic = Fixed::Whole(1);
  stored.under = Fixed::Whole(2);
  stored.strike = Fixed::Whole(-1);
  FontRecord font = FontFromStored(stored, FontRecord{});
  EXPECT_TRUE(font.italic);
  EXPECT_FALSE(font.underline);
  EXPECT_FALSE(font.strikethrough);
}

TEST(FontRules, ValuesTheFontCannotTakeFallBackOneByOne) {
  const FontRecord fallback = SmallFonts();
  StoredFont stored = StoredFontDefaults(fallback);
  stored.name = "";
  stored.size = Fixed::Whole(0);
  stored.weight = Fixed::Whole(30000);
  stored.charset = Fixed::Whole(-3);
  stored.italic = Fixed::Whole(1);
  FontRecord font = FontFromStored(stored, fallback);
  EXPECT_EQ(font.name, "Small Fonts");
  EXPECT_EQ(font.size, Fixed::Whole(6));
  EXPECT_EQ(font.charset, 204);
  EXPECT_TRUE(font.italic) << "good values beside bad ones still apply";

  stored.size = Fixed::Whole(-12);
  stored.charset = Fixed::Whole(256);
  font = FontFromStored(stored, fallback);
  EXPECT_EQ(font.size, Fixed::Whole(6));
  EXPECT_EQ(font.charset, 204);

  stored.size = Fixed::Whole(1639);
  EXPECT_EQ(FontFromStored(stored, fallback).size, Fixed::Whole(6));
  stored.size = Fixed::Whole(1638);
  EXPECT_EQ(FontFromStored(stored, fallback).size, Fixed::Whole(1638));
  stored.size = Fixed{1};
  EXPECT_EQ(FontFromStored(stored, fallback).size, Fixed{1});
  stored.name = "Arial";
  stored.charset = Fixed::Whole(0);
  font = FontFromStored(stored, fallback);
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.charset, 0);
}

TEST(FontRules, StoredFormRoundsTheSizeToWholePointsHalvesToEven) {
  FontRecord font = SmallFonts();
  font.size = Fixed{97500};
  EXPECT_EQ(StoredFromFont(font).size, Fixed::Whole(10));
  font.size = Fixed{85000};
  EXPECT_EQ(StoredFromFont(font).size, Fixed::Whole(8));
  font.size = Fixed{95000};
  EXPECT_EQ(StoredFromFont(font).size, Fixed::Whole(10));
  font.strikethrough = true;
  font.setWeight(900);
  StoredFont stored = StoredFromFont(font);
  EXPECT_EQ(stored.weight, Fixed::Whole(900));
  EXPECT_EQ(stored.bold, Fixed::Whole(1));
  EXPECT_EQ(stored.strike, Fixed::Whole(1));
  EXPECT_EQ(stored.name, "Small Fonts");
}

}  // namespace
}  // namespace corvane
