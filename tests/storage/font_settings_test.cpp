#include "storage/font_settings.h"

#include <gtest/gtest.h>

#include "storage/file_support.h"
#include "storage/settings_file.h"

namespace corvane {
namespace {

using testing::FreshFolder;
using testing::ReadBytes;
using testing::WriteBytes;

// The label's font as the program designs it.
FontRecord SmallFonts() {
  FontRecord font;
  font.name = "Small Fonts";
  font.size = Fixed::Whole(6);
  font.charset = 204;
  return font;
}

constexpr std::int64_t kWindowText = -2147483640;  // 0x80000008, the system window-text colour

class FontSettingsTest : public ::testing::Test {
 protected:
  std::string folder = FreshFolder();
  std::string file = folder + "\\Corvane.dat";
};

TEST_F(FontSettingsTest, WithoutAFileTheDefaultFontComesBack) {
  const FontRecord designed = SmallFonts();
  FontRecord loaded = LoadFontSettings(file, "Font", "", &designed);
  EXPECT_EQ(loaded, designed);
  EXPECT_EQ(loaded.weight(), 400);
  EXPECT_FALSE(loaded.bold() || loaded.italic || loaded.underline || loaded.strikethrough);

  loaded = LoadFontSettings(file, "Font", "");
  EXPECT_EQ(loaded.name, "MS Sans Serif");
  EXPECT_EQ(loaded.size, Fixed::Whole(8));
  EXPECT_EQ(loaded.weight(), 400);
  EXPECT_EQ(loaded.charset, 0);
  EXPECT_FALSE(loaded.bold() || loaded.italic || loaded.underline || loaded.strikethrough);

  FontRecord boldDefault = designed;
  boldDefault.setBold(true);
  boldDefault.underline = true;
  EXPECT_EQ(LoadFontSettings(file, "Font", "", &boldDefault), boldDefault);
  EXPECT_FALSE(FileExists(file)) << "loading writes nothing";
}

TEST_F(FontSettingsTest, FirstSaveWritesEveryKeyInItsOrder) {
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(0xFF0000));  // pure blue
  FontRecord font = SmallFonts();
  font.size = Fixed{97500};
  font.italic = true;
  SaveFontSettings(file, "Font", "", font);
  EXPECT_EQ(ReadBytes(file),
            "[fwMain]\r\nForeColor=16711680\r\n"
            "[Font]\r\nName=Small Fonts\r\nSize=10\r\nCharset=204\r\nBold=0\r\nWeight=400\r\nItalic=1\r\nUnder=0\r\n"
            "Strike=0\r\n");

  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(kWindowText)), Fixed::Whole(16711680));
  FontRecord loaded = LoadFontSettings(file, "Font", "");
  FontRecord expected = font;
  expected.size = Fixed::Whole(10);
  EXPECT_EQ(loaded, expected);

  // Saving the same font again changes nothing in the file.
  SaveFontSettings(file, "Font", "", font);
  const std::string once = ReadBytes(file);
  SaveFontSettings(file, "Font", "", font);
  EXPECT_EQ(ReadBytes(file), once);

  // A change rewrites its key in place.
  font.setBold(true);
  SaveFontSettings(file, "Font", "", font);
  EXPECT_EQ(ReadBytes(file),
            "[fwMain]\r\nForeColor=16711680\r\n"
            "[Font]\r\nName=Small Fonts\r\nSize=10\r\nCharset=204\r\nBold=1\r\nWeight=700\r\nItalic=1\r\nUnder=0\r\n"
            "Strike=0\r\n");
}

TEST_F(FontSettingsTest, StoredValuesThroughTheFontRules) {
  WriteBytes(file,
             "[Font]\r\nBold=1\r\nWeight=300\r\n"
             "[Bad]\r\nName= \r\nSize=-12\r\nCharset=&HCC\r\nBold=yes\r\nStrike=1\r\n");
  FontRecord font = LoadFontSettings(file, "Font", "");
  EXPECT_EQ(font.weight(), 700) << "Bold is applied after Weight";

  // A blank name, a negative size and a hexadecimal number give way to the
  // default; a word reads as 0.
  const FontRecord designed = SmallFonts();
  FontRecord expected = designed;
  expected.strikethrough = true;
  EXPECT_EQ(LoadFontSettings(file, "Bad", "", &designed), expected);
}

TEST_F(FontSettingsTest, OnlyTheStoredKeysReplaceTheDefaults) {
  WriteBytes(file, "[Font]\r\nItalic=1\r\n[Label]\r\nLabelName=Courier New\r\nLabelUnder=1\r\nName=Not Mine\r\n");
  const FontRecord designed = SmallFonts();
  FontRecord expected = designed;
  expected.italic = true;
  EXPECT_EQ(LoadFontSettings(file, "Font", "", &designed), expected);

  // Keys carry the prefix.
  expected = designed;
  expected.name = "Courier New";
  expected.underline = true;
  EXPECT_EQ(LoadFontSettings(file, "Label", "Label", &designed), expected);
}

TEST_F(FontSettingsTest, AnUntouchedColourIsTheDefault) {
  WriteBytes(file, "[Font]\r\nName=Arial\r\n");
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(kWindowText)), Fixed::Whole(kWindowText));
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(kWindowText));
  EXPECT_EQ(ReadBytes(file), "[Font]\r\nName=Arial\r\n[fwMain]\r\nForeColor=-2147483640\r\n");
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor"), Fixed::Whole(kWindowText));
}

}  // namespace
}  // namespace corvane
