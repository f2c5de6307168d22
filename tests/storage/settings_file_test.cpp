#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include "platform/handles.h"
#include "storage/file_support.h"

namespace corvane {
namespace {

using testing::AgeFile;
using testing::FreshFolder;
using testing::LastWriteTime;
using testing::ReadBytes;
using testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string folder = FreshFolder();
  std::string file = folder + "\\Corvane.dat";
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
  long chars = -1;
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(-2147483640), &chars), Fixed::Whole(-2147483640));
  EXPECT_EQ(chars, 11) << "the default's own text was read";
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor"), Fixed{});
  EXPECT_EQ(IniReadText(file, "Font", "Name", "Small Fonts"), "Small Fonts");
  EXPECT_EQ(IniReadText(file, "Font", "Name"), "");
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(folder)) << "a folder is no file";

  // Empty names give the default without reading.
  chars = -1;
  WriteBytes(file, "[fwMain]\r\nForeColor=5\r\n");
  EXPECT_EQ(IniReadNumber(file, "", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(IniReadNumber("", "fwMain", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(9));
  EXPECT_EQ(chars, -1);
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(9), &chars), Fixed::Whole(5));
  EXPECT_EQ(chars, 1);
  EXPECT_TRUE(FileExists(file));
}

TEST_F(SettingsFileTest, NumbersAsHandEditedFilesHoldThem) {
  WriteBytes(file,
             "[fwMain]\r\nForeColor= 255 \r\nRed=red\r\nLead=12abc\r\nHex=&HFF\r\nOctal=&O17\r\nHuge=1e20\r\n"
             "Fraction=9.75\r\n[FONT]\r\nsize=8\r\n");
  EXPECT_EQ(IniReadNumber(file, "fwMain", "ForeColor", Fixed::Whole(7)), Fixed::Whole(255));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Red", Fixed::Whole(7)), Fixed::Whole(0));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Lead", Fixed::Whole(7)), Fixed::Whole(12));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Hex", Fixed::Whole(7)), Fixed::Whole(7));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Octal", Fixed::Whole(7)), Fixed::Whole(7));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Huge", Fixed::Whole(7)), Fixed::Whole(7));
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Fraction"), Fixed{97500});
  EXPECT_EQ(IniReadNumber(file, "fwMain", "Missing", Fixed::Whole(7)), Fixed::Whole(7));
  EXPECT_EQ(IniReadNumber(file, "Font", "Size"), Fixed::Whole(8)) << "names match without regard to case";
  EXPECT_EQ(IniReadNumber(file, "FWMAIN", "forecolor"), Fixed::Whole(255));
}

TEST_F(SettingsFileTest, NumberReadsTakeAt254Characters) {
  // "1", 253 blanks inside the value, then "2": the cut leaves the 2 out.
  WriteBytes(file, "[S]\r\nLong=1" + std::string(253, ' ') + "2\r\nShort=1" + std::string(252, ' ') + "2\r\n");
  long chars = 0;
  EXPECT_EQ(IniReadNumber(file, "S", "Long", {}, &chars), Fixed::Whole(1));
  EXPECT_EQ(chars, 254);
  EXPECT_EQ(IniReadNumber(file, "S", "Short", {}, &chars), Fixed::Whole(12));
  EXPECT_EQ(chars, 254);
  // Text reads are not cut there.
  EXPECT_EQ(IniReadText(file, "S", "Long"), "1" + std::string(253, ' ') + "2");
}

TEST_F(SettingsFileTest, TextsDropLeadingSpacesAndEmptyIsStoredAsOneSpace) {
  IniWriteText(file, "Font", "Name", "Arial");
  EXPECT_EQ(IniReadText(file, "Font", "Name", "default"), "Arial");
  // The key stays, holding a blank, so the read gives an empty text and not its default.
  IniWriteText(file, "Font", "Name", "");
  EXPECT_NE(ReadBytes(file).find("[Font]\r\nName="), std::string::npos);
  EXPECT_EQ(IniReadText(file, "Font", "Name", "default"), "");
  IniWriteText(file, "Font", "Name", "  Lucida Console");
  EXPECT_EQ(IniReadText(file, "Font", "Name"), "Lucida Console");
}

TEST_F(SettingsFileTest, WritesLeaveEqualValuesAloneAndAlwaysWriteZero) {
  WriteBytes(file, "[fwMain]\r\nForeColor=400\r\n[Font]\r\nName=Arial\r\n");
  AgeFile(file);
  const ULONGLONG aged = LastWriteTime(file);
  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(400));
  IniWriteText(file, "Font", "Name", "Arial");
  EXPECT_EQ(LastWriteTime(file), aged);
  EXPECT_EQ(ReadBytes(file), "[fwMain]\r\nForeColor=400\r\n[Font]\r\nName=Arial\r\n");

  // A text differing only in case is a change.
  IniWriteText(file, "Font", "Name", "ARIAL");
  EXPECT_NE(LastWriteTime(file), aged);
  EXPECT_EQ(IniReadText(file, "Font", "Name"), "ARIAL");

  // A missing key reads as 0 as well, so 0 is written without comparing.
  IniWriteNumber(file, "Font", "Bold", Fixed{});
  EXPECT_EQ(ReadBytes(file), "[fwMain]\r\nForeColor=400\r\n[Font]\r\nName=ARIAL\r\nBold=0\r\n");

  IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(-2147483640));
  IniWriteNumber(file, "fwMain", "Fraction", Fixed{-97500});
  EXPECT_EQ(ReadBytes(file),
            "[fwMain]\r\nForeColor=-2147483640\r\nFraction=-9.75\r\n[Font]\r\nName=ARIAL\r\nBold=0\r\n");
  IniWriteNumber("", "fwMain", "ForeColor", Fixed::Whole(1));
  IniWriteText("", "fwMain", "ForeColor", "1");
}

TEST_F(SettingsFileTest, MarkedFilesAreWrittenAndKeepTheirMarks) {
  for (DWORD mark : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                     DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}}) {
    const std::string marked = folder + "\\marked" + std::to_string(mark) + ".dat";
    WriteBytes(marked, "[fwMain]\r\nForeColor=1\r\n");
    ASSERT_TRUE(SetFileAttributesA(marked.c_str(), mark));
    const DWORD before = GetFileAttributesA(marked.c_str());
    ASSERT_EQ(before & mark, mark) << "the file system keeps mark " << mark;

    IniWriteNumber(marked, "fwMain", "ForeColor", Fixed::Whole(16711680));
    EXPECT_EQ(GetFileAttributesA(marked.c_str()), before) << mark;
    IniWriteText(marked, "Font", "Name", "Arial");
    EXPECT_EQ(GetFileAttributesA(marked.c_str()), before) << mark;
    IniWriteText(marked, "Font", "Name", "");
    EXPECT_EQ(GetFileAttributesA(marked.c_str()), before) << mark;
    EXPECT_EQ(IniReadText(marked, "Font", "Name", "default"), "") << mark;
    EXPECT_EQ(IniReadNumber(marked, "fwMain", "ForeColor"), Fixed::Whole(16711680)) << mark;
    SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(SettingsFileTest, AFailedNumberWriteStillRestoresTheMarks) {
  WriteBytes(file, "[fwMain]\r\nForeColor=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  {
    // Held open with no sharing: the profile write cannot open the file.
    platform::Owned<HANDLE, &CloseHandle> held(
        CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
    IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(2));
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    IniWriteText(file, "fwMain", "Name", "x");
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  }
  EXPECT_EQ(ReadBytes(file), "[fwMain]\r\nForeColor=1\r\n") << "the write did fail";
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace corvane
