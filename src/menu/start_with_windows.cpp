#include "menu/start_with_windows.h"

#include "menu/startup_approval.h"
#include "storage/registry_store.h"

namespace corvane {

namespace {

bool SwitchedOff(HKEY Root, const std::string& ProductName) {
  return StartupMarkDisabled(RegReadValue(Root, kStartupApprovedKeyPath, ProductName, nullptr, REG_BINARY));
}

bool StartsFrom(HKEY Root, const std::string& ProductName, const std::string& ExecutablePath) {
  return RegReadValue(Root, kRunKeyPath, ProductName) == ExecutablePath && !SwitchedOff(Root, ProductName);
}

// Writes the Run value under Root and switches its entry on; true when
// Windows will then start the program from there.
bool StartFrom(HKEY Root, const std::string& ProductName, const std::string& ExecutablePath) {
  if (!RegWriteValue(Root, kRunKeyPath, ProductName, ExecutablePath, REG_SZ)) return false;
  return !SwitchedOff(Root, ProductName) ||
         RegWriteValue(Root, kStartupApprovedKeyPath, ProductName, EnabledStartupMark(), REG_BINARY);
}

}  // namespace

bool AutostartState(const std::string& ProductName, const std::string& ExecutablePath) {
  return StartsFrom(HKEY_LOCAL_MACHINE, ProductName, ExecutablePath) ||
         StartsFrom(HKEY_CURRENT_USER, ProductName, ExecutablePath);
}

void RefreshStartCheck(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath) {
  Menu.SetChecked(MenuCommand::Start, AutostartState(ProductName, ExecutablePath));
}

void ToggleStartWithWindows(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath) {
  const bool on = !Menu.Checked(MenuCommand::Start);
  Menu.SetChecked(MenuCommand::Start, on);
  if (on) {
    // The user's value only where the machine-wide one cannot start the program.
    if (!StartFrom(HKEY_LOCAL_MACHINE, ProductName, ExecutablePath)) {
      StartFrom(HKEY_CURRENT_USER, ProductName, ExecutablePath);
    }
    return;
  }
  RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKeyPath, ProductName);
  RegRemoveValue(HKEY_CURRENT_USER, kRunKeyPath, ProductName);
}

}  // namespace corvane
