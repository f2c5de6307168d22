#include "support/registry.h"

#include <gtest/gtest.h>

#include "platform/handles.h"

namespace corvane::testing {

std::optional<RegValue> ReadHklm(const char* key, const char* name, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return std::nullopt;
  const platform::RegKey owner(opened);
  char data[1024] = {};
  DWORD size = sizeof data;
  RegValue value;
  if (RegQueryValueExA(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.assign(data, size);
  return value;
}

std::optional<std::string> ReadHklmText(const char* key, const char* name, REGSAM view) {
  const auto value = ReadHklm(key, name, view);
  return value ? std::optional(value->text()) : std::nullopt;
}

void WriteHklm(const char* key, const char* name, const std::string& text, REGSAM view) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &opened, nullptr),
            ERROR_SUCCESS)
      << key;
  const platform::RegKey owner(opened);
  EXPECT_EQ(RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS)
      << key;
}

void DeleteHklm(const char* key, const char* name, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS) return;
  const platform::RegKey owner(opened);
  RegDeleteValueA(opened, name);
}

void ForgetProgram() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppKey, view, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn", view, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, view, 0);
    DeleteHklm(kRunKey, "Corvane", view);
  }
}

}  // namespace corvane::testing
