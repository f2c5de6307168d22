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

struct RegValue {
  DWORD type = 0;
  std::string bytes;  // as stored, the terminating zero included
  std::string text() const { return bytes.substr(0, bytes.find('\0')); }
};

// nullopt when the key or the value is missing.
inline std::optional<RegValue> ReadHklm(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY) {
  char data[1024] = {};
  DWORD size = sizeof data;
  RegValue value;
  if (RegQueryValueExA(OpenHklm(key, KEY_QUERY_VALUE | view).get(), name, nullptr, &value.type,
                       reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.assign(data, size);
  return value;
}

inline std::optional<std::string> ReadHklmText(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY) {
  const auto value = ReadHklm(key, name, view);
  return value ? std::optional(value->text()) : std::nullopt;
}

// Stores `data`, creating the key; a failure fails the running test. A REG_SZ
// text gets its terminating zero; data of any other type is stored as it is.
inline void WriteHklm(const char* key, const char* name, const std::string& data, REGSAM view = KEY_WOW64_64KEY,
                      DWORD type = REG_SZ) {
  HKEY opened = nullptr;
  ASSERT_FALSE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &opened, nullptr));
  const platform::RegKey owner(opened);
  const auto size = static_cast<DWORD>(data.size() + (type == REG_SZ ? 1 : 0));
  EXPECT_FALSE(RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()), size)) << key;
}

inline void DeleteHklm(const char* key, const char* name, REGSAM view = KEY_WOW64_64KEY) {
  RegDeleteValueA(OpenHklm(key, KEY_SET_VALUE | view).get(), name);
}

// Removes the key with everything below it, in both views.
inline void DeleteHklmTree(const char* key) {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    RegDeleteTreeA(OpenHklm(key, KEY_ALL_ACCESS | view).get(), nullptr);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key, view, 0);
  }
}

// Removes everything the program may leave in the registry, in both views.
inline void ForgetProgram() {
  DeleteHklmTree("SOFTWARE\\Halvorn");
  DeleteHklmTree(kAppPathsKey);
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) DeleteHklm(kRunKey, "Corvane", view);
}

}  // namespace corvane::testing
