#include "support/files.h"

#include <windows.h>

namespace corvane::testing {
namespace {

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string file = folder + "\\" + found.cFileName;
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string TempPath(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

TempFolder::TempFolder(const std::string& name) : path(TempPath(name)) {
  RemoveFolder(path);  // what an interrupted run left
  CreateDirectoryA(path.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveFolder(path); }

}  // namespace corvane::testing
