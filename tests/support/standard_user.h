// A user without administrator rights, played on the program's machine-wide
// keys, and the tests' access to what the program then keeps under
// HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane::testing {

inline constexpr char kStartupApprovedKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// While it lives, Everyone is denied setting values and making subkeys on the
// application key, the Run key and the App Paths key under HKEY_LOCAL_MACHINE,
// in both registry views: writing there fails with ERROR_ACCESS_DENIED, as it
// does on Windows for a program that is not elevated. The keys get their own
// permissions back when it goes.
class MachineKeysDenied {
 public:
  MachineKeysDenied();
  ~MachineKeysDenied();
  MachineKeysDenied(const MachineKeysDenied&) = delete;
  MachineKeysDenied& operator=(const MachineKeysDenied&) = delete;

 private:
  void Deny(const char* key, REGSAM view);

  struct Saved {
    const char* key;
    REGSAM view;
    std::vector<BYTE> security;
  };
  std::vector<Saved> saved_;
};

// A REG_SZ value under HKEY_CURRENT_USER; nullopt when the key or value is missing.
std::optional<std::string> ReadHkcuText(const char* key, const char* name);

// Removes everything the program may leave under HKEY_CURRENT_USER.
void ForgetUserValues();

}  // namespace corvane::testing
