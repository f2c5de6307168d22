#include <windows.h>

#include <string>

#include "app/fw_main.h"
#include "app/single_instance.h"

namespace {

std::string ModuleFileName() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A full buffer may have cut the path short: try again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const corvane::InstanceMark mark;
  corvane::fwMain window(instance, {GetCommandLineA(), ModuleFileName(), mark.PreviousInstance()});
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
