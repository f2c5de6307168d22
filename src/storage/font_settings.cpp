#include "storage/font_settings.h"

#include "storage/font_rules.h"
#include "storage/settings_file.h"

namespace corvane {

FontRecord LoadFontSettings(const std::string& FileName, const std::string& Section, const std::string& Prefix,
                            const FontRecord* DefaultFont) {
  const FontRecord fallback = DefaultFont ? *DefaultFont : FontRecord{};
  const StoredFont defaults = StoredFontDefaults(fallback);
  StoredFont stored;
  stored.name = IniReadText(FileName, Section, Prefix + "Name", defaults.name);
  stored.size = IniReadNumber(FileName, Section, Prefix + "Size", defaults.size);
  stored.weight = IniReadNumber(FileName, Section, Prefix + "Weight", defaults.weight);
  stored.charset = IniReadNumber(FileName, Section, Prefix + "Charset", defaults.charset);
  stored.bold = IniReadNumber(FileName, Section, Prefix + "Bold", defaults.bold);
  stored.italic = IniReadNumber(FileName, Section, Prefix + "Italic", defaults.italic);
  stored.under = IniReadNumber(FileName, Section, Prefix + "Under", defaults.under);
  stored.strike = IniReadNumber(FileName, Section, Prefix + "Strike", defaults.strike);
  return FontFromStored(stored, fallback);
}

void SaveFontSettings(const std::string& FileName, const std::string& Section, const std::string& Prefix,
                      const FontRecord& Font) {
  // This order is the order of the keys in a new file.
  const StoredFont stored = StoredFromFont(Font);
  IniWriteText(FileName, Section, Prefix + "Name", stored.name);
  IniWriteNumber(FileName, Section, Prefix + "Size", stored.size);
  IniWriteNumber(FileName, Section, Prefix + "Charset", stored.charset);
  IniWriteNumber(FileName, Section, Prefix + "Bold", stored.bold);
  IniWriteNumber(FileName, Section, Prefix + "Weight", stored.weight);
  IniWriteNumber(FileName, Section, Prefix + "Italic", stored.italic);
  IniWriteNumber(FileName, Section, Prefix + "Under", stored.under);
  IniWriteNumber(FileName, Section, Prefix + "Strike", stored.strike);
}

}  // namespace corvane
