// The tests' own access to values under HKEY_LOCAL_MACHINE, in a chosen
// registry view, to set up and read back what the program keeps there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace corvane::testing {

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

}  // namespace corvane::testing
