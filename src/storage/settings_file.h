// Typed access to single keys of the settings file (profile format). Reads
// return their default on any failure; writes leave an unchanged value alone
// and write into read-only, hidden or system files, restoring their marks.
#pragma once

#include <string>
#include <vector>

#include "storage/fixed_point.h"

namespace corvane {

// The number held by KeyName in Section; Default when the file, section or key
// is missing, when an argument is empty, or when the stored number is
// hexadecimal, octal or out of range. A text that is no number reads as 0.
// CharsRead receives the length of the value text read (at most 254).
Fixed IniReadNumber(const std::string& FileName, const std::string& Section, const std::string& KeyName,
                    Fixed Default = {}, long* CharsRead = nullptr);

// The text held by KeyName in Section, without leading spaces; Default when missing.
std::string IniReadText(const std::string& FileName, const std::string& Section, const std::string& KeyName,
                        const std::string& Default = "");

// The lines of Section as "key=value" texts, comments left out; none when the
// name is empty or the file or the section is missing. A section longer than
// 32766 characters is cut there.
std::vector<std::string> IniReadSection(const std::string& FileName, const std::string& Section);

// Writes Value as plain decimal text unless the key already holds it; 0 is
// always written, since a missing key also reads as 0.
void IniWriteNumber(const std::string& FileName, const std::string& Section, const std::string& KeyName, Fixed Value);

// Writes Value unless the key already holds it; an empty text is stored as one
// space, which reads back empty.
void IniWriteText(const std::string& FileName, const std::string& Section, const std::string& KeyName,
                  const std::string& Value);

// True for a non-empty name of an existing file that is not a folder.
bool FileExists(const std::string& FileName);

}  // namespace corvane
