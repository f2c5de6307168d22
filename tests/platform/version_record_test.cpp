// The program's own version record and icon, linked into this test, read back.
#include "platform/version_record.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "resources/version.h"

namespace corvane::platform {
namespace {

std::string ToAnsi(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

TEST(VersionRecord, EveryFieldOfTheProgramsRecordReadsBack) {
  const VersionRecord record = ReadVersionRecord();
  EXPECT_EQ(record.CompanyName, "Halvorn");
  EXPECT_EQ(record.ProductName, "Corvane");
  EXPECT_EQ(record.InternalName, "Corvane");
  EXPECT_FALSE(record.FileDescription.empty());
  EXPECT_EQ(record.FileDescription.find(". "), std::string::npos) << "one line: " << record.FileDescription;
  EXPECT_EQ(record.LegalCopyright, ToAnsi(L"Copyright \u00A9 2026 Halvorn. All rights reserved."));
  const auto comma = record.Comments.find(", ");
  ASSERT_NE(comma, std::string::npos) << record.Comments;
  EXPECT_EQ(record.Comments.substr(0, 8), "https://");
  EXPECT_NE(record.Comments.find('@', comma), std::string::npos);
  EXPECT_EQ(record.Comments.find(", ", comma + 2), std::string::npos);
  EXPECT_EQ(record.Major, 0);
  EXPECT_EQ(record.Minor, 15);
  EXPECT_EQ(record.Revision, 0);
}

TEST(VersionRecord, TrademarkIsTheTmSignInEitherWidth) {
  const VersionRecord record = ReadVersionRecord();
  EXPECT_EQ(record.LegalTrademarks, ToAnsi(L"Tirella\u2122"));
  if (GetACP() == 1252 || GetACP() == 1251) {
    EXPECT_EQ(record.LegalTrademarks, "Tirella\x99");
  }
  EXPECT_EQ(ReadVersionFieldW(L"LegalTrademarks"), L"Tirella\u2122");
  EXPECT_EQ(ReadVersionFieldW(L"CompanyName"), L"Halvorn");
  EXPECT_EQ(ReadVersionFieldW(L"NoSuchField"), L"");
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

TEST(ProgramIcon, GroupOneHoldsSixteenColourImagesOfBothSizes) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(CORVANE_ICON_ID), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* header = static_cast<const IconGroupHeader*>(LockResource(LoadResource(self, found)));
  ASSERT_NE(header, nullptr);
  ASSERT_GE(SizeofResource(self, found), sizeof(IconGroupHeader) + header->count * sizeof(IconGroupEntry));
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
  std::set<std::pair<int, int>> sizes;
  for (WORD i = 0; i < header->count; ++i) {
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
