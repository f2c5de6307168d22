#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "storage/file_support.h"

namespace corvane {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string folder = testing::FreshFolder();
  std::string file = folder + "\\Corvane.dat";
};

TEST_F(SettingsFileTest, MissingFilesKeysAndNamesGiveTheDefault) {
  long chars = -1;
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(-2147483640), &chars), Fixed::Whole(-2147483640));
  EXPECT_EQ(chars, 11) << "the default's own text was read";
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(folder)) << "a folder is no file";

  testing::WriteBytes(file, "[fwMain]\r\nForeColor=5\r\n");
  EXPECT_TRUE(FileExists(file));
  chars = -1;  // empty names give the default without reading
  EXPECT_EQ(IniReadNumber(file, "", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(IniReadNumber("", "fwMain", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(chars, -1);
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(5));
  EXPECT_EQ(chars, 1);
}

TEST_F(SettingsFileTest, ReadsAsHandEditedFilesHoldValues) {
  // "1", 253 blanks inside the value, then "2": number reads take 254 characters and leave the 2 out.
  testing::WriteBytes(file, "[fwMain]\r\nForeColor= 255 \r\nRed=red\r\nHex=&HFF\r\nFraction=9.75\r\nName=  Lucida\r\n"
                            "[FONT]\r\nsize=8\r\n[S]\r\nLong=1" + std::string(253, ' ') + "2\r\nShort=1" +
                            std::string(252, ' ') + "2\r\n");
  for (auto [section, key, value] : {std::tuple{"fwMain", "ForeColor", Fixed::Whole(255)}, {"fwMain", "Red", Fixed{}},
                                     {"fwMain", "Hex", Fixed::Whole(7)}, {"fwMain", "Fraction", Fixed{97500}},
                                     {"fwMain", "Missing", Fixed::Whole(7)}, {"Font", "Size", Fixed::Whole(8)},
                                     {"FWMAIN", "forecolor", Fixed::Whole(255)}, {"S", "Short", Fixed::Whole(12)}})
    EXPECT_EQ(IniReadNumber(file, section, key, Fixed::Whole(7)), value) << section << " " << key;
  long chars = 0;
  EXPECT_EQ(IniReadNumber(file, "S", "Long", {}, &chars), Fixed::Whole(1));
  EXPECT_EQ(chars, 254);
  EXPECT_EQ(IniReadText(file, "S", "Long"), "1" + std::string(253, ' ') + "2") << "text reads are not cut";
  EXPECT_EQ(IniReadText(file, "FWMAIN", "NAME"), "Lucida") << "without leading spaces";
}

TEST_F(SettingsFileTest, WritesLeaveEqualValuesAloneAndAlwaysWriteZero) {
  testing::WriteBytes(file, "[fwMain]\r\nForeColor=400\r\n[Font]\r\nName=Arial\r\n");
  testing::AgeFile(file);
  const auto aged = testing::LastWriteTime(file);
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(400));
  IniWriteText(file, "Font", "Name", "Arial");
  EXPECT_EQ(testing::LastWriteTime(file), aged);

  IniWriteText(file, "Font", "Name", "ARIAL");  // a change of case is a change
  // A missing key reads as 0 as well, so 0 is written without comparing.
  IniWriteNumber(file, "Font", "Bold", Fixed{});
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(-2147483640));
  IniWriteNumber(file, "fwMain", "Fraction", Fixed{-97500});
  EXPECT_EQ(testing::ReadBytes(file),
            "[fwMain]\r\nForeColor=-2147483640\r\nFraction=-9.75\r\n[Font]\r\nName=ARIAL\r\nBold=0\r\n");
}

TEST_F(SettingsFileTest, MarkedFilesAreWrittenAndKeepTheirMarks) {
  for (DWORD mark : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                     DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}}) {
    const std::string marked = folder + "\\marked" + std::to_string(mark) + ".dat";
    testing::WriteBytes(marked, "[fwMain]\r\nForeColor=1\r\n");
    ASSERT_TRUE(SetFileAttributesA(marked.c_str(), mark));
    const DWORD before = GetFileAttributesA(marked.c_str());
    ASSERT_EQ(before & mark, mark) << "the file system keeps mark " << mark;
    IniWriteNumber(marked, "fwMain", "ForeColor", Fixed::Whole(16711680));
    IniWriteText(marked, "Font", "Name", "Arial");
    IniWriteText(marked, "Font", "Name", "");  // stored as one space: the key stays and reads back empty
    EXPECT_EQ(GetFileAttributesA(marked.c_str()), before) << mark << ": a write that drops them shows here";
    EXPECT_EQ(IniReadText(marked, "Font", "Name", "default"), "") << mark;
    EXPECT_EQ(IniReadNumber(marked, "fwMain", "ForeColor"), Fixed::Whole(16711680)) << mark;
  }

  // A write that fails (the file held open with no sharing) restores the marks all the same.
  testing::WriteBytes(file, "[fwMain]\r\nForeColor=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  const HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(2));
  IniWriteText(file, "fwMain", "Name", "x");
  EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  CloseHandle(held);
  EXPECT_EQ(testing::ReadBytes(file), "[fwMain]\r\nForeColor=1\r\n") << "the write did fail";
}

}  // namespace
}  // namespace corvane
