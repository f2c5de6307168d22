// How the stored values of the label's font become a font, and back.
#pragma once

#include <string>

#include "storage/fixed_point.h"
#include "storage/font_record.h"

namespace corvane {

// The eight font values as the settings file holds them.
struct StoredFont {
  std::string name;
  Fixed size;
  Fixed weight;
  Fixed charset;
  Fixed bold;
  Fixed italic;
  Fixed under;
  Fixed strike;

  friend bool operator==(const StoredFont&, const StoredFont&) = default;
};

// What each key holds when it is missing: the properties of Fallback, its flags as 1 or 0.
StoredFont StoredFontDefaults(const FontRecord& Fallback);

// The font of the stored values, applied in the order name, size, weight,
// charset, bold, italic, underline, strikethrough. A flag is set only by
// exactly 1. A value the font cannot take (an empty name or one longer than
// 31 characters, a size outside
// (0, 1638] points, a weight outside 0..1000, a character set outside 0..255)
// gives way to Fallback's property.
FontRecord FontFromStored(const StoredFont& Stored, const FontRecord& Fallback);

// The values to store for Font: size to whole points (halves to even), flags as 1 or 0.
StoredFont StoredFromFont(const FontRecord& Font);

}  // namespace corvane
