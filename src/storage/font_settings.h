// The label's font in the settings file: eight keys, each named Prefix + one of
// "Name", "Size", "Weight", "Charset", "Bold", "Italic", "Under", "Strike".
#pragma once

#include <string>

#include "storage/font_record.h"

namespace corvane {

// A font built from the keys in Section; each missing key, and each stored value
// the font cannot take, gives way to DefaultFont's property (or, without
// DefaultFont, to "MS Sans Serif", 8 pt, weight 400, character set 0, no flags).
// Bold is applied after Weight, so the result weighs 700 (bold) or 400.
FontRecord LoadFontSettings(const std::string& FileName, const std::string& Section, const std::string& Prefix,
                            const FontRecord* DefaultFont = nullptr);

// Writes the eight keys (size as whole points, halves to even; flags as 1 or 0)
// in the order Name, Size, Charset, Bold, Weight, Italic, Under, Strike.
void SaveFontSettings(const std::string& FileName, const std::string& Section, const std::string& Prefix,
                      const FontRecord& Font);

}  // namespace corvane
