#include "storage/registry_store.h"

#include "platform/handles.h"
#include "storage/number_text.h"

namespace corvane {
namespace {

// Reads and the final write go to the 64-bit view, the one the system's own
// programs read: under WOW64 (this 32-bit program on 64-bit Windows) by asking
// for it, and in a 64-bit build it is the process's own. On 32-bit Windows the
// 32-bit view is the only one.
REGSAM ViewFlag() { return sizeof(void*) == 8 || IsWow64() ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

platform::RegKey CreateKey(HKEY root, const std::string& subKey, const std::string& keyClass, REGSAM access,
                           bool inheritHandle) {
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, inheritHandle ? TRUE : FALSE};
  std::string classText = keyClass;
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subKey.c_str(), 0, classText.data(), REG_OPTION_NON_VOLATILE, access, &security, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return platform::RegKey(key);
}

bool KeyEmpty(HKEY root, const std::string& subKey, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return false;
  const platform::RegKey key(opened);
  DWORD subKeys = 0;
  DWORD values = 0;
  return RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys == 0 && values == 0;
}

}  // namespace

bool IsWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto isWow64Process =
      kernel ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
             : nullptr;
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string RegReadValue(HKEY Root, const std::string& SubKey, const std::string& ValueName,
                         std::vector<unsigned char>* RawData, std::optional<DWORD> ValueType,
                         const std::string& Default) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(Root, SubKey.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(), &opened) != ERROR_SUCCESS) {
    return Default;
  }
  platform::RegKey key(opened);
  DWORD storedType = 0;
  DWORD length = 0;
  RegQueryValueExA(key.get(), ValueName.c_str(), nullptr, nullptr, nullptr, &length);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(length) + 1, 0);
  LONG result = RegQueryValueExA(key.get(), ValueName.c_str(), nullptr, &storedType, buffer.data(), &length);
  key.reset();
  if (result != ERROR_SUCCESS) return Default;

  DWORD type = ValueType.value_or(storedType);
  std::optional<std::string> text = RegistryDataToText(type, buffer, length);
  if (RawData) *RawData = std::move(buffer);
  return text.value_or(Default);
}

bool RegWriteValue(HKEY Root, const std::string& SubKey, const std::string& ValueName, const std::string& Data,
                   DWORD ValueType) {
  if (RegReadValue(Root, SubKey, ValueName, nullptr, ValueType) == Data) return true;

  // Only texts, raw bytes and 32-bit numbers can be stored; anything else is a
  // failure, reported before a key is made.
  std::optional<std::int32_t> number;
  if (ValueType == REG_DWORD) {
    number = DwordFromText(Data);
    if (!number) return false;
  } else if (ValueType != REG_SZ && ValueType != REG_BINARY) {
    return false;
  }

  // The first creation works in the process's own registry view: on 64-bit
  // Windows it leaves the key in the 32-bit view as well.
  if (!CreateKey(Root, SubKey, "1", KEY_ALL_ACCESS, false)) return false;
  platform::RegKey key = CreateKey(Root, SubKey, std::to_string(ValueType), KEY_ALL_ACCESS | ViewFlag(), true);
  if (!key) return false;

  LONG result;
  if (ValueType == REG_DWORD) {
    auto bits = static_cast<std::uint32_t>(*number);
    const BYTE bytes[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                           static_cast<BYTE>(bits >> 24)};
    result = RegSetValueExA(key.get(), ValueName.c_str(), 0, REG_DWORD, bytes, sizeof bytes);
  } else {
    // An empty value is stored as one zero byte. A text is passed without its
    // terminator; the system adds it for strings, since c_str() is followed by one.
    const std::string& stored = Data.empty() ? std::string(1, '\0') : Data;
    result = RegSetValueExA(key.get(), ValueName.c_str(), 0, ValueType,
                            reinterpret_cast<const BYTE*>(stored.c_str()), static_cast<DWORD>(stored.size()));
  }
  return result == ERROR_SUCCESS;
}

bool RegWriteMachineOrUser(const std::string& SubKey, const std::string& ValueName, const std::string& Data,
                           DWORD ValueType) {
  return RegWriteValue(HKEY_LOCAL_MACHINE, SubKey, ValueName, Data, ValueType) ||
         RegWriteValue(HKEY_CURRENT_USER, SubKey, ValueName, Data, ValueType);
}

bool RegEitherEquals(const std::string& SubKey, const std::string& ValueName, const std::string& Data) {
  return RegReadValue(HKEY_LOCAL_MACHINE, SubKey, ValueName) == Data ||
         RegReadValue(HKEY_CURRENT_USER, SubKey, ValueName) == Data;
}

void RegRemoveValue(HKEY Root, const std::string& SubKey, const std::string& ValueName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(Root, SubKey.c_str(), 0, KEY_WRITE | ViewFlag(), &opened) != ERROR_SUCCESS) return;
  const platform::RegKey key(opened);
  RegDeleteValueA(key.get(), ValueName.c_str());
}

bool RegKeyExists(HKEY Root, const std::string& SubKey) {
  HKEY opened = nullptr;
  RegOpenKeyExA(Root, SubKey.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(), &opened);
  return platform::RegKey(opened) != nullptr;
}

void RegRemoveKey(HKEY Root, const std::string& SubKey, bool WithValues) {
  HKEY opened = nullptr;
  if (WithValues &&
      RegOpenKeyExA(Root, SubKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE | ViewFlag(), &opened) == ERROR_SUCCESS) {
    const platform::RegKey key(opened);
    char name[16384];  // the longest value name the registry allows, with its terminator
    for (;;) {
      DWORD length = sizeof name;
      if (RegEnumValueA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (RegDeleteValueA(key.get(), name) != ERROR_SUCCESS) break;
    }
  }
  if (KeyEmpty(Root, SubKey, ViewFlag())) RegDeleteKeyExA(Root, SubKey.c_str(), ViewFlag(), 0);
  if (IsWow64() && KeyEmpty(Root, SubKey, KEY_WOW64_32KEY)) RegDeleteKeyExA(Root, SubKey.c_str(), KEY_WOW64_32KEY, 0);
}

}  // namespace corvane
