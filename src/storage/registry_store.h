// Single values of the registry, exchanged as text. The program keeps its
// values under HKEY_LOCAL_MACHINE, or under HKEY_CURRENT_USER where it may not
// write there (see RegWriteMachineOrUser); in a 32-bit process on 64-bit
// Windows the values live in the 64-bit view.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "storage/registry_text.h"

namespace corvane {

// True when this 32-bit process runs on 64-bit Windows.
bool IsWow64();

// The value ValueName (empty: the key's default value) of SubKey under Root, as
// text; Default when the key or the value cannot be read. ValueType, when
// given, overrides the stored type for the conversion. RawData receives the
// data bytes followed by one zero byte.
std::string RegReadValue(HKEY Root, const std::string& SubKey, const std::string& ValueName = "",
                         std::vector<unsigned char>* RawData = nullptr, std::optional<DWORD> ValueType = std::nullopt,
                         const std::string& Default = "");

// Stores Data as the value ValueName of SubKey under Root, creating the key
// when needed, unless the value already reads as Data (then true at once).
// ValueType is REG_SZ, REG_BINARY or REG_DWORD (Data holding a decimal number).
// True on success; false when a key cannot be created or the value not set,
// for another type, and for a number outside the signed 32-bit range.
bool RegWriteValue(HKEY Root, const std::string& SubKey, const std::string& ValueName, const std::string& Data,
                   DWORD ValueType = REG_SZ);

// The program's rule for its own values: written under HKEY_LOCAL_MACHINE as
// RegWriteValue writes it; only when that fails (a user without administrator
// rights, on Windows every program that is not elevated), the same key path,
// value name, type and data under HKEY_CURRENT_USER, where the shell also reads
// Run and App Paths. True when either write succeeded.
bool RegWriteMachineOrUser(const std::string& SubKey, const std::string& ValueName, const std::string& Data,
                           DWORD ValueType = REG_SZ);

// True when the value reads as Data under HKEY_LOCAL_MACHINE or under
// HKEY_CURRENT_USER (binary comparison).
bool RegEitherEquals(const std::string& SubKey, const std::string& ValueName, const std::string& Data);

// Deletes the value ValueName of SubKey under Root, whatever it holds; nothing
// happens when the key cannot be opened for writing.
void RegRemoveValue(HKEY Root, const std::string& SubKey, const std::string& ValueName);

// True when SubKey exists under Root and can be read.
bool RegKeyExists(HKEY Root, const std::string& SubKey);

// Deletes SubKey under Root: with WithValues its values first, one by one, as
// a program may that can set values there; then the key, once it holds no
// values and no subkeys. Under WOW64 the same key path in the process's own
// (32-bit) view goes too when it is empty: the first creation in RegWriteValue
// leaves it there.
void RegRemoveKey(HKEY Root, const std::string& SubKey, bool WithValues = true);

}  // namespace corvane
