#include "menu/start_with_windows.h"

#include "platform/handles.h"
#include "storage/registry_store.h"

namespace corvane {

bool AutostartState(const std::string& ProductName, const std::string& ExecutablePath) {
  return RegReadValue(HKEY_LOCAL_MACHINE, kRunKeyPath, ProductName) == ExecutablePath;
}

void RefreshStartCheck(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath) {
  Menu.SetChecked(MenuCommand::Start, AutostartState(ProductName, ExecutablePath));
}

void ToggleStartWithWindows(ControlMenu& Menu, const std::string& ProductName, const std::string& ExecutablePath) {
  // The same view the registry store reads and writes.
  const REGSAM view = IsWow64() ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  const bool on = !Menu.Checked(MenuCommand::Start);
  Menu.SetChecked(MenuCommand::Start, on);
  if (on) {
    RegWriteValue(HKEY_LOCAL_MACHINE, kRunKeyPath, ProductName, ExecutablePath, REG_SZ);
    return;
  }
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_WRITE | view, &opened) != ERROR_SUCCESS) return;
  const platform::RegKey key(opened);
  RegDeleteValueA(key.get(), ProductName.c_str());
}

}  // namespace corvane
