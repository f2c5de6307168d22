// Files of system libraries' names planted beside this program: a library
// looked for in the program's folder first would fail to load.
#include "platform/system_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

namespace corvane::platform {
namespace {

TEST(SystemLibrary, ComesFromTheSystemFolderWhateverLiesBesideTheProgram) {
  char here[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, here, MAX_PATH);
  *std::strrchr(here, '\\') = '\0';
  const std::string folder = here;
  for (const char* name : {"\\comdlg32.dll", "\\msimg32.dll"}) std::ofstream(folder + name) << "not a library";

  const Library dialogs = LoadSystemLibrary("comdlg32.dll");
  EXPECT_NE(GetProcAddress(dialogs.get(), "ChooseFontA"), nullptr);
  RestrictLibrarySearch();
  EXPECT_NE(Library(LoadLibraryA("msimg32.dll")), nullptr) << "a plain load tried the program's folder";

  for (const char* name : {"\\comdlg32.dll", "\\msimg32.dll"}) DeleteFileA((folder + name).c_str());
}

}  // namespace
}  // namespace corvane::platform
