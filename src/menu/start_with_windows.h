// Autostart: the machine-wide Run value that starts the program with Windows.
#pragma once

#include <string>

#include "menu/control_menu.h"

namespace corvane {

// The Run key under HKEY_LOCAL_MACHINE, in the view the registry store uses
// (the 64-bit one for this 32-bit program on 64-bit Windows).
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// True when the Run value named ProductName holds exactly ExecutablePath
// (case-sensitive; quotes or arguments make it another program's entry).
bool AutostartState(const std::string& ProductName, const std::string& ExecutablePath);

// mPopup_Click's refresh: the Start item's check mark from the autostart state.
void RefreshStartCheck(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath);

// The Start with Windows switch: inverts the Start item's check mark, then
// writes ExecutablePath (REG_SZ, as given) as the Run value when the item is
// now checked, or deletes the value, whatever it holds, when it is not.
// Registry failures are not reported; the next opening of the menu shows the
// registry's state again.
void ToggleStartWithWindows(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath);

}  // namespace corvane
