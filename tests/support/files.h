// Folders and files of the tests' own under the system's temporary folder.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane::testing {

// A folder under the system's temporary folder, emptied when made and removed
// with its files, read-only ones included, when it goes. Paths stay in the
// ANSI code page throughout, so a name beyond ASCII means the same folder to
// the program.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name) : path(std::string(std::getenv("TEMP")) + "\\" + name) {
    Remove();  // what an interrupted run left
    CreateDirectoryA(path.c_str(), nullptr);
  }
  ~TempFolder() { Remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string path;
  std::string File(const std::string& name) const { return path + "\\" + name; }

 private:
  void Remove() const {
    WIN32_FIND_DATAA found;
    for (HANDLE search = FindFirstFileA(File("*").c_str(), &found); search != INVALID_HANDLE_VALUE;) {
      SetFileAttributesA(File(found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(File(found.cFileName).c_str());
      if (!FindNextFileA(search, &found)) search = (FindClose(search), INVALID_HANDLE_VALUE);
    }
    RemoveDirectoryA(path.c_str());
  }
};

// A file's bytes; empty when it is missing.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace corvane::testing
