// The registry store against the real registry in both views, and the
// settings file against real files.
#include <gtest/gtest.h>

#include "storage/registry_store.h"
#include "storage/settings_file.h"
#include "support/files.h"
#include "support/registry.h"

namespace corvane {

using testing::ReadHklm, testing::WriteHklm;

constexpr char kKey[] = "SOFTWARE\\CorvaneTest";
constexpr char kFresh[] = "SOFTWARE\\CorvaneTest\\Fresh";

bool Exists(const char* key, REGSAM view = KEY_WOW64_64KEY) {
  return testing::OpenHklm(key, KEY_READ | view) != nullptr;
}

TEST(RegistryStore, WritesWhatChangedIntoThe64BitView) {
  testing::DeleteHklmTree(kKey);
  for (const std::string text : {"M\xFCnchen \xC4", ""}) {  // an empty text over a stored one: one zero byte
    EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, kKey, "", text));
    EXPECT_EQ(ReadHklm(kKey, "")->bytes, text + '\0');
  }
  EXPECT_EQ(ReadHklm(kKey, "")->type, static_cast<DWORD>(REG_SZ));
  EXPECT_FALSE(ReadHklm(kKey, "", KEY_WOW64_32KEY)) << "the value in the 32-bit view";
  EXPECT_TRUE(Exists(kKey, KEY_WOW64_32KEY)) << "the first creation works in the process's own view";
  WriteHklm(kKey, "Same", std::string("abc", 4), KEY_WOW64_64KEY, REG_EXPAND_SZ);
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, kKey, "Same", "abc"));
  EXPECT_EQ(ReadHklm(kKey, "Same")->type, static_cast<DWORD>(REG_EXPAND_SZ)) << "an equal value is left alone";
  // Nothing to write, or a type that cannot be stored: no key is made.
  EXPECT_TRUE(RegWriteValue(HKEY_LOCAL_MACHINE, kFresh, "Value", ""));
  EXPECT_FALSE(RegWriteValue(HKEY_LOCAL_MACHINE, kFresh, "List", "a", REG_MULTI_SZ));
  EXPECT_FALSE(Exists(kFresh) || Exists(kFresh, KEY_WOW64_32KEY));
  testing::DeleteHklmTree(kKey);
}

// A write rewrites the whole file in the profile functions' own layout, so
// blanks around "=" show whether a write took place.
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
    IniWriteText(file, "Font", "Empty", "");
    EXPECT_EQ(IniReadText(file, "Font", "Empty", "x"), "");
    EXPECT_EQ(GetFileAttributesA(file.c_str()), marks) << mark;
  }
}

}  // namespace corvane
