// A user without administrator rights, played on the program's machine-wide
// keys: while a MachineKeysDenied lives, Everyone is denied setting values,
// making subkeys and deleting on the application key, the Run key and the App
// Paths key under HKEY_LOCAL_MACHINE, in both registry views. Writing or
// deleting there then fails with ERROR_ACCESS_DENIED, as on Windows for a
// program that is not elevated.
// The keys get their own permissions back when it goes.
#pragma once

#include <windows.h>
#include <sddl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/handles.h"
#include "support/registry.h"

namespace corvane::testing {

class MachineKeysDenied {
 public:
  MachineKeysDenied() {
    // Everyone: KEY_SET_VALUE, KEY_CREATE_SUB_KEY and DELETE denied, everything else allowed.
    PSECURITY_DESCRIPTOR denied = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x10006;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &denied,
                                                         {});
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
      for (const char* key : {kAppKey, kRunKey, kAppPathsKey}) {
        HKEY opened = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, READ_CONTROL | WRITE_DAC | view, nullptr, &opened, {});
        // Last saved first back: a key both views share is saved twice, the second time denied.
        auto& [owner, security] = *saved_.emplace(saved_.begin(), platform::RegKey(opened), std::vector<char>(4096));
        DWORD size = 4096;
        RegGetKeySecurity(opened, DACL_SECURITY_INFORMATION, security.data(), &size);
        EXPECT_EQ(RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, denied), ERROR_SUCCESS) << key;
      }
    LocalFree(denied);
  }
  ~MachineKeysDenied() {
    for (auto& [key, security] : saved_) RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, security.data());
  }

 private:
  std::vector<std::pair<platform::RegKey, std::vector<char>>> saved_;  // each key with its own permissions
};

}  // namespace corvane::testing
