#include "storage/number_text.h"

#include <gtest/gtest.h>

#include "storage/font_rules.h"
#include "storage/registry_text.h"

namespace corvane {

constexpr Fixed W(std::int64_t n) { return Fixed::Whole(n); }

TEST(StorageText, NumbersRegistryDataAndFontsAsStored) {
  const std::pair<std::string, std::optional<Fixed>> cases[] = {
      // Sign, digits, point, exponent with E or D, up to the first character that cannot continue; blanks skipped.
      {"12abc", W(12)}, {"-.25x", Fixed{-2500}}, {"2.5d+2", W(250)}, {"7e+x", W(7)}, {"abc", W(0)},
      {" 1 2\t3\n4", W(1234)}, {"1\r2", W(1)},
      // Ten-thousandths, halves to even; beyond the range, hexadecimal and octal: no value.
      {"0.00005", Fixed{0}}, {"0.00015", Fixed{2}}, {"0.000050000001", Fixed{1}}, {"-1.23455", Fixed{-12346}},
      {"-922337203685477.5808", Fixed{INT64_MIN}}, {"922337203685477.5808", std::nullopt},
      {"1e999999999999999999999", std::nullopt}, {"5e-999999999999999999999", W(0)}, {"&HFF", std::nullopt},
      {"&17", std::nullopt}, {"0x1F", std::nullopt}, {std::string(1 << 20, '9'), std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseLeadingNumber(text), expected) << text.substr(0, 30);
  // Registry numbers, with the zero byte a read appends, are unsigned in either byte order, up to 8 bytes; any
  // longer "number" is unreadable, at once.
  EXPECT_EQ(*RegistryDataToText(kRegDword, {0xE8, 3, 0, 0x80, 0}, 4) + " " +
                *RegistryDataToText(kRegDwordBigEndian, {0, 0, 3, 0xE8, 0}, 4) + " " +
                *RegistryDataToText(kRegDword, std::vector<unsigned char>(9, 0xFF), 8),
            "2147484648 1000 18446744073709551615");
  for (std::size_t n : {9, 1 << 16})
    EXPECT_FALSE(RegistryDataToText(kRegDwordBigEndian, std::vector<unsigned char>(n + 1, 0xFF), n)) << n;
  // Font sizes are stored as whole points, halves to even; a flag stored as 0 clears the one the fallback font has.
  FontRecord flags;
  flags.setBold(flags.italic = flags.underline = flags.strikethrough = true);
  for (auto [size, whole] : {std::pair{85000, 8}, {97500, 10}}) {
    FontRecord font, stored;
    font.size = Fixed{size};
    stored.size = W(whole);
    EXPECT_EQ(FontFromStored(StoredFromFont(font), flags), stored) << size;
  }
  // Bold decides the weight either way: a stored 700 without Bold loads as 400, a stored 300 with it as 700.
  StoredFont heavy = StoredFromFont(FontRecord{}), light = heavy;
  heavy.weight = W(700);
  light.weight = W(300);
  light.bold = W(1);
  EXPECT_EQ(FontFromStored(heavy, flags).weight() + 0, 400);
  EXPECT_EQ(FontFromStored(light, flags).weight() + 0, 700);
}

}  // namespace corvane
