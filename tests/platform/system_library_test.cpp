// Files of system libraries' names planted beside this program: loaded by
// name the plain way, the planted file would be tried first and fail to load.
#include "platform/system_library.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace corvane::platform {
namespace {

TEST(SystemLibrary, ComesFromTheSystemFolderWhateverLiesBesideTheProgram) {
  char here[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, here, MAX_PATH);
  const std::string folder = std::string(here).substr(0, std::string(here).rfind('\\') + 1);
  for (const char* name : {"comdlg32.dll", "msimg32.dll"}) std::ofstream(folder + name) << "not a library";

  const Library dialogs = LoadSystemLibrary("comdlg32.dll");
  char path[MAX_PATH] = {};
  GetModuleFileNameA(dialogs.get(), path, MAX_PATH);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(_stricmp(path, (std::string(system) + "\\comdlg32.dll").c_str()), 0) << path;
  RestrictLibrarySearch();
  EXPECT_NE(Library(LoadLibraryA("msimg32.dll")), nullptr) << "a plain load tried the program's folder";

  for (const char* name : {"comdlg32.dll", "msimg32.dll"}) DeleteFileA((folder + name).c_str());
}

}  // namespace
}  // namespace corvane::platform
