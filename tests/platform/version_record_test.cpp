// The program's own version record and icon, linked into this test, read back.
#include "platform/version_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/version.h"

namespace corvane::platform {
namespace {

std::string Ansi(const std::wstring& text) {
  char buffer[512] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

// One text field of this executable's record read through the wide functions;
// empty when the record or the field is missing.
std::wstring WideField(const std::wstring& name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeW(path, &ignored));
  if (data.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(data.size()), data.data())) return {};
  void* value = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &size) || size < 2 * sizeof(WORD)) {
    return {};
  }
  const auto* translation = static_cast<const WORD*>(value);
  char table[40];
  std::snprintf(table, sizeof table, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
  const std::string ascii = table;
  const std::wstring query = std::wstring(ascii.begin(), ascii.end()) + name;
  if (!VerQueryValueW(data.data(), query.c_str(), &value, &size) || size == 0) return {};
  return static_cast<const wchar_t*>(value);
}

TEST(VersionRecord, EveryFieldOfTheProgramsRecordReadsBack) {
  const VersionRecord record = ReadVersionRecord();
  EXPECT_EQ(record.CompanyName + "|" + record.ProductName + "|" + record.InternalName, "Halvorn|Corvane|Corvane");
  EXPECT_FALSE(record.FileDescription.empty());
  EXPECT_EQ(record.FileDescription.find(". "), std::string::npos) << "one line: " << record.FileDescription;
  EXPECT_EQ(record.LegalCopyright, Ansi(L"Copyright \u00A9 2026 Halvorn. All rights reserved."));
  const auto comma = record.Comments.find(", ");
  ASSERT_NE(comma, std::string::npos) << record.Comments;
  EXPECT_EQ(record.Comments.substr(0, 8), "https://");
  EXPECT_NE(record.Comments.find('@', comma), std::string::npos);
  EXPECT_EQ(record.Comments.find(", ", comma + 2), std::string::npos);
  EXPECT_EQ((std::vector<int>{record.Major, record.Minor, record.Revision}), (std::vector<int>{0, 15, 0}));
  // The trademark sign reads back in either width.
  EXPECT_EQ(record.LegalTrademarks, Ansi(L"Tirella\u2122"));
  EXPECT_EQ(WideField(L"LegalTrademarks"), L"Tirella\u2122");
  EXPECT_EQ(WideField(L"NoSuchField"), L"");
}

#pragma pack(push, 2)
struct IconGroupEntry {  // one image of an RT_GROUP_ICON resource, after its three-word header
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST(ProgramIcon, GroupOneHoldsSixteenColourImagesOfBothSizes) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(CORVANE_ICON_ID), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* header = static_cast<const WORD*>(LockResource(LoadResource(self, found)));
  ASSERT_NE(header, nullptr);
  ASSERT_GE(SizeofResource(self, found), 3 * sizeof(WORD) + header[2] * sizeof(IconGroupEntry));
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
  std::set<std::pair<int, int>> sizes;
  for (WORD i = 0; i < header[2]; ++i) {
    EXPECT_TRUE(entries[i].colorCount == 16 || entries[i].bitCount == 4) << "image " << i;
    sizes.insert({entries[i].width, entries[i].height});
  }
  EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{16, 16}, {32, 32}}));
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(self, MAKEINTRESOURCEA(CORVANE_ICON_ID), IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << size;
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace corvane::platform
