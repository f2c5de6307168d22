#include "storage/font_settings.h"

#include <gtest/gtest.h>

#include "storage/file_support.h"
#include "storage/settings_file.h"
#include "support/font.h"

namespace corvane {
namespace {

using testing::MakeFont, testing::ReadBytes;

class FontSettingsTest : public ::testing::Test {
 protected:
  std::string file = testing::FreshFolder() + "\\Corvane.dat";
  const FontRecord designed = MakeFont("Small Fonts", 6, 204);  // the label's font as the program designs it
};

TEST_F(FontSettingsTest, WithoutAFileTheDefaultFontComesBack) {
  EXPECT_EQ(LoadFontSettings(file, "Font", "", &designed), designed);
  EXPECT_EQ(LoadFontSettings(file, "Font", ""), MakeFont("MS Sans Serif", 8, 0));
  FontRecord boldDefault = designed;
  boldDefault.setBold(true);
  boldDefault.underline = true;
  EXPECT_EQ(LoadFontSettings(file, "Font", "", &boldDefault), boldDefault);
  EXPECT_FALSE(FileExists(file)) << "loading writes nothing";
}

TEST_F(FontSettingsTest, FirstSaveWritesEveryKeyInItsOrderAndLaterSavesOnlyChanges) {
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(0xFF0000));  // pure blue
  FontRecord font = designed;
  font.size = Fixed{97500};
  font.italic = true;
  SaveFontSettings(file, "Font", "", font);
  const std::string saved = "[fwMain]\r\nForeColor=16711680\r\n[Font]\r\nName=Small Fonts\r\nSize=10\r\nCharset=204\r\n"
                            "Bold=0\r\nWeight=400\r\nItalic=1\r\nUnder=0\r\nStrike=0\r\n";
  EXPECT_EQ(ReadBytes(file), saved);
  FontRecord expected = font;
  expected.size = Fixed::Whole(10);
  EXPECT_EQ(LoadFontSettings(file, "Font", ""), expected);

  SaveFontSettings(file, "Font", "", font);
  EXPECT_EQ(ReadBytes(file), saved) << "the same font again changes nothing";
  font.setBold(true);  // a change is written in place
  SaveFontSettings(file, "Font", "", font);
  EXPECT_EQ(ReadBytes(file), "[fwMain]\r\nForeColor=16711680\r\n[Font]\r\nName=Small Fonts\r\nSize=10\r\n"
                             "Charset=204\r\nBold=1\r\nWeight=700\r\nItalic=1\r\nUnder=0\r\nStrike=0\r\n");
}

TEST_F(FontSettingsTest, StoredKeysReplaceTheDefaultsThroughTheFontRules) {
  testing::WriteBytes(file, "[Font]\r\nItalic=1\r\n[Heavy]\r\nBold=1\r\nWeight=300\r\n"
                            "[Bad]\r\nName= \r\nSize=-12\r\nCharset=&HCC\r\nBold=yes\r\nStrike=1\r\n"
                            "[Label]\r\nLabelName=Courier New\r\nLabelUnder=1\r\nName=Not Mine\r\n");
  FontRecord expected = designed;
  expected.italic = true;
  EXPECT_EQ(LoadFontSettings(file, "Font", "", &designed), expected);
  EXPECT_EQ(LoadFontSettings(file, "Heavy", "").weight(), 700) << "Bold is applied after Weight";
  // A blank name, a negative size and a hexadecimal number give way to the default; a word reads as 0.
  expected = designed;
  expected.strikethrough = true;
  EXPECT_EQ(LoadFontSettings(file, "Bad", "", &designed), expected);
  expected = designed;  // keys carry the prefix
  expected.name = "Courier New";
  expected.underline = true;
  EXPECT_EQ(LoadFontSettings(file, "Label", "Label", &designed), expected);
}

}  // namespace
}  // namespace corvane
