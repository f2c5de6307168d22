#include <windows.h>

#include <string>

#include "app/fw_main.h"
#include "app/single_instance.h"
#include "app/uninstaller.h"
#include "platform/module_path.h"
#include "platform/system_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  corvane::platform::RestrictLibrarySearch();
  // The program's folder and paths, as every "A" function below can open them.
  const std::string modulePath = corvane::platform::AnsiPath(corvane::platform::WideModulePath());
  // Before the instance mark: the uninstall ends the running instance first.
  if (const auto uninstall = corvane::UninstallRequest(corvane::ArgumentPortion(GetCommandLineA()))) {
    return corvane::Uninstall(*uninstall, corvane::PathsOfModule(modulePath), corvane::platform::ReadVersionRecord());
  }
  const corvane::InstanceMark mark;
  corvane::fwMain window(instance, {GetCommandLineA(), modulePath, mark.PreviousInstance()});
  window.Load();
  // Ended at start (another instance), or no window could be made.
  if (!window.hWnd()) return 0;
  // Ends with WM_QUIT, posted when the window is destroyed.
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (window.TranslateDialogKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // A WM_QUIT posted from outside ends the loop with the window still there:
  // leaving this scope destroys it, and the user's cursors come back with it.
  return static_cast<int>(message.wParam);
}
