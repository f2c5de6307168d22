#include "indicator/label_settings.h"

#include <windows.h>

#include "storage/settings_file.h"

namespace corvane {
namespace {

constexpr const char* kLayoutsSection = "Layouts";
constexpr const char* kMainSection = "fwMain";
constexpr const char* kCapsLockKey = "CapsLock";

std::uint64_t Join(DWORD high, DWORD low) { return static_cast<std::uint64_t>(high) << 32 | low; }

}  // namespace

void LabelSettings::Open(const std::string& FileName) {
  fileName_ = FileName;
  Read();
}

bool LabelSettings::Refresh() {
  if (fileName_.empty() || Look(fileName_) == seen_) return false;
  Read();
  return true;
}

LabelSettings::Stamp LabelSettings::Look(const std::string& FileName) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(FileName.c_str(), GetFileExInfoStandard, &data)) return {};
  return {true, Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
          Join(data.nFileSizeHigh, data.nFileSizeLow)};
}

void LabelSettings::Read() {
  // Looked at first: an edit made while reading shows at the next look.
  seen_ = fileName_.empty() ? Stamp{} : Look(fileName_);
  layouts_ = LayoutLabels(IniReadSection(fileName_, kLayoutsSection),
                          [](char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; });
  // Like the font's flags, only exactly 1 switches it on.
  capsLock_ = IniReadNumber(fileName_, kMainSection, kCapsLockKey) == Fixed::Whole(1);
}

}  // namespace corvane
