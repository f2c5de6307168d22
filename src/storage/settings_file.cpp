#include "storage/settings_file.h"

#include <windows.h>

#include <vector>

#include "storage/number_text.h"

namespace corvane {
namespace {

// Value texts longer than these are cut: 254 characters for a number, 32766 for a text.
constexpr DWORD kNumberBuffer = 255;
constexpr DWORD kTextBuffer = 32767;

std::string ReadProfileString(const std::string& fileName, const std::string& section, const std::string& keyName,
                              const std::string& defaultText, DWORD bufferSize, DWORD* copied) {
  std::vector<char> buffer(bufferSize, '\0');
  DWORD length = GetPrivateProfileStringA(section.c_str(), keyName.c_str(), defaultText.c_str(), buffer.data(),
                                          bufferSize, fileName.c_str());
  if (copied) *copied = length;
  return std::string(buffer.data(), length);
}

std::string WithoutLeadingSpaces(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

// Lifts the read-only, hidden and system marks of an existing file for a
// write and returns the attributes to put back afterwards: `whenMissing` when
// there is no file (yet), 0 for nothing to put back.
DWORD LiftAttributes(const std::string& fileName, DWORD whenMissing) {
  if (!FileExists(fileName)) return whenMissing;
  const DWORD saved = GetFileAttributesA(fileName.c_str());
  // The file went between the two reads: INVALID_FILE_ATTRIBUTES is no set of marks to restore.
  if (saved == INVALID_FILE_ATTRIBUTES) return whenMissing;
  SetFileAttributesA(fileName.c_str(), FILE_ATTRIBUTE_NORMAL);
  return saved;
}

// Puts the marks back whatever the write's outcome.
void RestoreAttributes(const std::string& fileName, DWORD saved) {
  if (saved != 0) SetFileAttributesA(fileName.c_str(), saved);
}

}  // namespace

Fixed IniReadNumber(const std::string& FileName, const std::string& Section, const std::string& KeyName, Fixed Default,
                    long* CharsRead) {
  if (FileName.empty() || Section.empty() || KeyName.empty()) return Default;
  DWORD copied = 0;
  std::string value = ReadProfileString(FileName, Section, KeyName, FixedToText(Default), kNumberBuffer, &copied);
  if (CharsRead) *CharsRead = static_cast<long>(copied);
  return ParseLeadingNumber(WithoutLeadingSpaces(value)).value_or(Default);
}

std::string IniReadText(const std::string& FileName, const std::string& Section, const std::string& KeyName,
                        const std::string& Default) {
  return WithoutLeadingSpaces(ReadProfileString(FileName, Section, KeyName, Default, kTextBuffer, nullptr));
}

std::vector<std::string> IniReadSection(const std::string& FileName, const std::string& Section) {
  // An empty name would make the profile reader fall back to the system's own file.
  if (FileName.empty()) return {};
  std::vector<char> buffer(kTextBuffer, '\0');
  const DWORD length = GetPrivateProfileSectionA(Section.c_str(), buffer.data(), kTextBuffer, FileName.c_str());
  // Each line ends with a null, the last one with two.
  std::vector<std::string> lines;
  const char* const end = buffer.data() + length;
  for (const char* line = buffer.data(); line < end && *line; line += lines.back().size() + 1) lines.emplace_back(line);
  return lines;
}

void IniWriteNumber(const std::string& FileName, const std::string& Section, const std::string& KeyName, Fixed Value) {
  if (FileName.empty()) return;
  // A missing key reads as 0 too, so 0 is written without looking.
  if (Value != Fixed{} && IniReadNumber(FileName, Section, KeyName) == Value) return;
  // A file the write creates gets plain (normal) attributes.
  const DWORD saved = LiftAttributes(FileName, FILE_ATTRIBUTE_NORMAL);
  WritePrivateProfileStringA(Section.c_str(), KeyName.c_str(), FixedToText(Value).c_str(), FileName.c_str());
  RestoreAttributes(FileName, saved);
}

void IniWriteText(const std::string& FileName, const std::string& Section, const std::string& KeyName,
                  const std::string& Value) {
  if (FileName.empty()) return;
  if (!Value.empty() && IniReadText(FileName, Section, KeyName) == Value) return;
  const DWORD saved = LiftAttributes(FileName, 0);
  // An empty text is stored as one space, which reads back empty since reads drop leading spaces.
  const std::string stored = Value.empty() ? std::string(" ") : Value;
  WritePrivateProfileStringA(Section.c_str(), KeyName.c_str(), stored.c_str(), FileName.c_str());
  RestoreAttributes(FileName, saved);
}

bool FileExists(const std::string& FileName) {
  if (FileName.empty()) return false;
  DWORD attributes = GetFileAttributesA(FileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace corvane
