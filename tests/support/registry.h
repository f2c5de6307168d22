// The tests' own access to values under HKEY_LOCAL_MACHINE, in a chosen
// registry view, to set up and read back what the program keeps there.
// Under WOW64 the program's values live in the 64-bit view, the default here.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/handles.h"

namespace corvane::testing {

inline constexpr char kAppKey[] = "SOFTWARE\\Halvorn\\Corvane";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe";

inline platform::RegKey OpenHklm(const char* key, REGSAM access) {
  HKEY opened = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, access, &opened);
  return platform::RegKey(opened);
}

// The text of a REG_SZ value; nullopt when the key or the value is missing.
inline std::optional<std::string> ReadHklmText(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY) {
  char text[1024] = {};
  DWORD size = sizeof text - 1;
  const LSTATUS status = RegQueryValueExA(OpenHklm(key, KEY_QUERY_VALUE | view).get(), name, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(text), &size);
  return status == ERROR_SUCCESS ? std::optional<std::string>(text) : std::nullopt;
}

// Stores `text` as REG_SZ (or `type`), creating the key; a failure fails the running test.
inline void WriteHklm(const char* key, const char* name, const std::string& text, REGSAM view = KEY_WOW64_64KEY,
                      DWORD type = REG_SZ) {
  HKEY opened = nullptr;
  ASSERT_FALSE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &opened, {}));
  const platform::RegKey owner(opened);
  const auto bytes = reinterpret_cast<const BYTE*>(text.c_str());
  EXPECT_FALSE(RegSetValueExA(opened, name, 0, type, bytes, static_cast<DWORD>(text.size() + 1))) << key;
}

// Removes everything the program may leave in the registry, in both views.
inline void ForgetProgram() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    // The application key first: a key goes only once it has no subkeys.
    for (const char* key : {kAppKey, "SOFTWARE\\Halvorn", kAppPathsKey}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
    RegDeleteValueA(OpenHklm(kRunKey, KEY_SET_VALUE | view).get(), "Corvane");
  }
}

}  // namespace corvane::testing
