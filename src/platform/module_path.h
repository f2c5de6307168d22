// Where a module's file lives, as the program's "A" functions can use it.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::platform {

// The full path of `module`'s file (nullptr: the running executable).
std::wstring WideModulePath(HMODULE module = nullptr);

// `path` in the system's ANSI code page. When the code page cannot spell it
// (Greek or Chinese letters under a Western code page), its short form, whose
// plain letters name the same file; when there is no short form either (a
// volume without short names), the system's own rendering, with "?" for what
// the code page lacks, which names no existing file.
std::string AnsiPath(const std::wstring& path);

// True when the two paths (ANSI, environment variables expanded) name the same
// file as Windows resolves them: letter case, short (8.3) and long forms, and
// links and junctions on the way do not matter. A file that cannot be opened
// is compared by the long forms of its name, without regard to case.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace corvane::platform
