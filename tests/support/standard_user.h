// A user without administrator rights, played on the program's machine-wide
// keys: while a MachineKeysDenied lives, Everyone is denied setting values and
// making subkeys on the application key, the Run key and the App Paths key
// under HKEY_LOCAL_MACHINE, in both registry views. Writing there then fails
// with ERROR_ACCESS_DENIED, as on Windows for a program that is not elevated.
// The keys get their own permissions back when it goes.
#pragma once

#include <windows.h>
#include <aclapi.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/handles.h"
#include "support/registry.h"

namespace corvane::testing {

class MachineKeysDenied {
 public:
  MachineKeysDenied() {
    EXPLICIT_ACCESSA deny{};
    BuildExplicitAccessWithNameA(&deny, const_cast<char*>("EVERYONE"), KEY_SET_VALUE | KEY_CREATE_SUB_KEY, DENY_ACCESS,
                                 NO_INHERITANCE);
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      for (const char* key : {kAppKey, kRunKey, kAppPathsKey}) {
        const platform::RegKey opened = Open(key, view);
        Saved& saved = saved_.emplace_back(Saved{key, view});
        PACL permissions = nullptr;
        PACL denied = nullptr;
        GetSecurityInfo(opened.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &permissions,
                        nullptr, &saved.security);
        EXPECT_EQ(SetEntriesInAclA(1, &deny, permissions, &denied), ERROR_SUCCESS);
        EXPECT_EQ(SetSecurityInfo(opened.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, denied,
                                  nullptr),
                  ERROR_SUCCESS)
            << key;
        LocalFree(denied);
      }
    }
  }
  ~MachineKeysDenied() {
    for (const Saved& saved : saved_) {
      RegSetKeySecurity(Open(saved.key, saved.view).get(), DACL_SECURITY_INFORMATION, saved.security);
      LocalFree(saved.security);
    }
  }

 private:
  struct Saved {
    const char* key;
    REGSAM view;
    PSECURITY_DESCRIPTOR security = nullptr;
  };
  static platform::RegKey Open(const char* key, REGSAM view) {
    HKEY opened = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, READ_CONTROL | WRITE_DAC | view, nullptr, &opened, nullptr);
    return platform::RegKey(opened);
  }
  std::vector<Saved> saved_;
};

}  // namespace corvane::testing
