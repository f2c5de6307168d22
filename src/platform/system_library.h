// Libraries of the system come from the system folder only. Windows otherwise
// looks in the program's own folder first, and a file of a system library's
// name placed there (think of a Downloads folder) would run inside Corvane.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace corvane::platform {

using Library = Owned<HMODULE, &FreeLibrary>;

// The system's library `name` ("comdlg32.dll"), loaded from the system folder
// whatever lies beside the program or in the current folder; null when it
// cannot be loaded.
Library LoadSystemLibrary(const char* name);

// The function `name` of `library` as a `Function` pointer; null when the
// library is null or has no such function.
template <class Function>
Function LibraryFunction(const Library& library, const char* name) {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library.get(), name))) : nullptr;
}

// From now on every library this process loads by name, the system's own
// delay-loaded ones included, is searched for in the system folder only.
// Called first thing at start.
void RestrictLibrarySearch();

}  // namespace corvane::platform
