// The "Startup apps" switch of Task Manager and Settings leaves a Run value in
// place and records its state beside it: a REG_BINARY value of the same name
// under Explorer\StartupApproved\Run (under HKEY_CURRENT_USER for the user's
// Run values, under HKEY_LOCAL_MACHINE for the machine's). Its 12 bytes are a
// state whose lowest bit marks the entry switched off (02 or 06 on, 03 or 07
// off), then the time it was switched off (a FILETIME, zero while it is on).
// No such value means the entry is on.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline constexpr char kStartupApprovedKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// True when the mark's bytes (empty when there is no mark) switch the entry off.
bool StartupMarkDisabled(std::string_view mark);

// The mark the switch writes when it turns an entry on: 02 and eleven zero bytes.
std::string EnabledStartupMark();

}  // namespace corvane
