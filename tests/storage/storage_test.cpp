// The settings file against real files.
#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "support/files.h"

namespace corvane {

// An equal value is left alone (its line keeps the blanks around "="), a
// changed one is written, 0 always; the file's marks stay as they were.
TEST(SettingsFile, WritesOnlyChangesAndKeepsTheFilesMarks) {
  const testing::TempFolder folder("corvane-settings");
  for (DWORD mark : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    const std::string file = folder.File(std::to_string(mark) + ".dat");
    const std::string stored = "[fwMain]\r\nForeColor = 400\r\n[Font]\r\nName = Arial\r\n";
    testing::WriteBytes(file, stored);
    SetFileAttributesA(file.c_str(), mark);
    const DWORD marks = GetFileAttributesA(file.c_str());
    IniWriteNumber(file, "fwMain", "ForeColor", Fixed::Whole(400));
    IniWriteText(file, "Font", "Name", "Arial");
    EXPECT_EQ(testing::ReadBytes(file), stored) << mark;
    IniWriteText(file, "Font", "Name", "ARIAL");
    IniWriteNumber(file, "Font", "Bold", Fixed{});  // a missing key reads as 0 too
    EXPECT_EQ(testing::ReadBytes(file), "[fwMain]\r\nForeColor=400\r\n[Font]\r\nName=ARIAL\r\nBold=0\r\n") << mark;
    EXPECT_EQ(GetFileAttributesA(file.c_str()), marks) << mark;
  }
}

}  // namespace corvane
