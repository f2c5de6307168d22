#include "platform/system_library.h"

#include <string>

namespace corvane::platform {

Library LoadSystemLibrary(const char* name) {
  if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return Library(module);
  // Windows 7 without its library-search update rejects the flag: name the
  // file in the system folder in full instead.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return Library(LoadLibraryExA((std::string(folder) + "\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

void RestrictLibrarySearch() {
  // Takes the current folder out of the search where nothing else can.
  SetDllDirectoryA("");
  // Looked up at run time: Windows 7 has it only with that update.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32");
  const auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                                       reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                 : nullptr;
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace corvane::platform
