// The tests' own access to values under HKEY_LOCAL_MACHINE, in a chosen
// registry view, to set up and read back what the program keeps there.
// Under WOW64 the program's values live in the 64-bit view, the default here.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace corvane::testing {

inline constexpr char kAppKey[] = "SOFTWARE\\Halvorn\\Corvane";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe";

struct RegValue {
  DWORD type = 0;
  std::string bytes;  // as stored, the terminating zero included
  std::string text() const { return bytes.substr(0, bytes.find('\0')); }
};

// nullopt when the key or the value is missing.
std::optional<RegValue> ReadHklm(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY);
std::optional<std::string> ReadHklmText(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY);

// Stores `text` as REG_SZ, creating the key; a failure fails the running test.
void WriteHklm(const char* key, const char* name, const std::string& text, REGSAM view = KEY_WOW64_64KEY);

void DeleteHklm(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY);

// Removes everything the program may leave in the registry, in both views.
void ForgetProgram();

}  // namespace corvane::testing
