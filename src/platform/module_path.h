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

}  // namespace corvane::platform
