// The running program's version record (its VERSIONINFO resource), read at run
// time for the texts that name the program, its maker and its version.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::platform {

// The text fields in the system's ANSI code page, read under the record's own
// translation; a field the record lacks is empty. Major, Minor and Revision are
// the first, second and fourth numbers of the file version (0.15.0.0 gives
// 0, 15, 0).
struct VersionRecord {
  std::string CompanyName;
  std::string ProductName;
  std::string FileDescription;
  std::string LegalCopyright;
  std::string LegalTrademarks;
  std::string Comments;
  std::string InternalName;  // the application title
  WORD Major = 0;
  WORD Minor = 0;
  WORD Revision = 0;
};

// The record of `module`'s file (nullptr: the running executable). A module
// without a record gives empty texts and version 0.0.0.
VersionRecord ReadVersionRecord(HMODULE module = nullptr);

}  // namespace corvane::platform
