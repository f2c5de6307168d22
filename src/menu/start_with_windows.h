// Autostart: the Run value that starts the program with Windows, machine-wide
// where the program may write it, else the user's own.
#pragma once

#include <string>

#include "menu/control_menu.h"

namespace corvane {

// The Run key, under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, in the view the
// registry store uses (the 64-bit one for this 32-bit program on 64-bit Windows).
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// True when Windows will start this executable: the Run value named
// ProductName holds exactly ExecutablePath (case-sensitive; quotes or arguments
// make it another program's entry) under either root, and the Startup apps
// switch has not turned that entry off.
bool AutostartState(const std::string& ProductName, const std::string& ExecutablePath);

// mPopup_Click's refresh: the Start item's check mark from the autostart state.
void RefreshStartCheck(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath);

// The Start with Windows switch: inverts the Start item's check mark. Checked,
// it writes ExecutablePath (REG_SZ, as given) as the machine-wide Run value,
// or as the user's where the machine-wide one cannot be written or stays
// switched off, and switches a turned-off entry back on where it may.
// Unchecked, it deletes the value under both roots, whatever it holds.
// Registry failures are not reported; the next opening of the menu shows the
// registry's state again.
void ToggleStartWithWindows(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath);

}  // namespace corvane
