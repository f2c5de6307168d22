#include "support/standard_user.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include "platform/handles.h"
#include "support/registry.h"

namespace corvane::testing {

MachineKeysDenied::MachineKeysDenied() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const char* key : {kAppKey, kRunKey, kAppPathsKey}) Deny(key, view);
  }
}

void MachineKeysDenied::Deny(const char* key, REGSAM view) {
  BYTE everyone[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof everyone;
  ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, everyone, &sidSize));
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, READ_CONTROL | WRITE_DAC | view, nullptr, &opened,
                            nullptr),
            ERROR_SUCCESS)
      << key;
  const platform::RegKey owner(opened);
  Saved saved{key, view, {}};
  DWORD size = 0;
  RegGetKeySecurity(opened, DACL_SECURITY_INFORMATION, nullptr, &size);
  saved.security.resize(size);
  ASSERT_EQ(RegGetKeySecurity(opened, DACL_SECURITY_INFORMATION, saved.security.data(), &size), ERROR_SUCCESS);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(saved.security.data(), &present, &dacl, &defaulted);
  // Without a list of permissions a lone deny entry would refuse reading as well.
  ASSERT_TRUE(present && dacl) << key;

  EXPLICIT_ACCESSA deny{};
  deny.grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  deny.grfAccessMode = DENY_ACCESS;
  deny.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  deny.Trustee.ptstrName = reinterpret_cast<LPSTR>(everyone);
  PACL denied = nullptr;
  ASSERT_EQ(SetEntriesInAclA(1, &deny, dacl, &denied), ERROR_SUCCESS);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, denied, FALSE);
  EXPECT_EQ(RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS) << key;
  LocalFree(denied);
  saved_.push_back(std::move(saved));
}

MachineKeysDenied::~MachineKeysDenied() {
  for (Saved& saved : saved_) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, saved.key, 0, WRITE_DAC | saved.view, &opened) != ERROR_SUCCESS) continue;
    const platform::RegKey owner(opened);
    RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, saved.security.data());
  }
}

std::optional<std::string> ReadHkcuText(const char* key, const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

void ForgetUserValues() {
  for (const char* key : {kAppKey, "SOFTWARE\\Halvorn", kAppPathsKey}) RegDeleteKeyA(HKEY_CURRENT_USER, key);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Corvane");
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kStartupApprovedKey, "Corvane");
}

}  // namespace corvane::testing
