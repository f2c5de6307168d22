#include "storage/font_rules.h"

#include <cstddef>
#include <cstdint>

namespace corvane {
namespace {

Fixed Flag(bool set) { return Fixed::Whole(set ? 1 : 0); }
bool IsSet(Fixed flag) { return flag == Fixed::Whole(1); }

// Beyond these the font would be refused or meaningless: the font dialog takes
// sizes up to 1638 points, weights run from 0 to 1000 and a character set is one byte.
constexpr Fixed kLargestSize = Fixed::Whole(1638);
constexpr std::int64_t kHeaviestWeight = 1000;
constexpr std::int64_t kLastCharset = 255;

}  // namespace

StoredFont StoredFontDefaults(const FontRecord& Fallback) {
  return StoredFont{Fallback.name,           Fallback.size,          Fixed::Whole(Fallback.weight()),
                    Fixed::Whole(Fallback.charset), Flag(Fallback.bold()), Flag(Fallback.italic),
                    Flag(Fallback.underline), Flag(Fallback.strikethrough)};
}

FontRecord FontFromStored(const StoredFont& Stored, const FontRecord& Fallback) {
  FontRecord font;
  // A typeface name has room for 31 characters; a longer one names no font.
  constexpr std::size_t kLongestFaceName = 31;
  font.name = Stored.name.empty() || Stored.name.size() > kLongestFaceName ? Fallback.name : Stored.name;
  font.size = Stored.size.units > 0 && Stored.size.units <= kLargestSize.units ? Stored.size : Fallback.size;
  std::int64_t weight = RoundHalfEven(Stored.weight);
  font.setWeight(weight >= 0 && weight <= kHeaviestWeight ? static_cast<std::int16_t>(weight) : Fallback.weight());
  std::int64_t charset = RoundHalfEven(Stored.charset);
  font.charset = charset >= 0 && charset <= kLastCharset ? static_cast<std::int16_t>(charset) : Fallback.charset;
  // Bold comes after the weight and decides it: 700 when set, 400 when not.
  font.setBold(IsSet(Stored.bold));
  font.italic = IsSet(Stored.italic);
  font.underline = IsSet(Stored.under);
  font.strikethrough = IsSet(Stored.strike);
  return font;
}

StoredFont StoredFromFont(const FontRecord& Font) {
  StoredFont stored = StoredFontDefaults(Font);
  stored.size = Fixed::Whole(RoundHalfEven(Font.size));
  return stored;
}

}  // namespace corvane
