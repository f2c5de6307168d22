// Folders of the tests' own under the system's temporary folder.
#pragma once

#include <string>

namespace corvane::testing {

// `name` under the system's temporary folder.
std::string TempPath(const std::string& name);

// A folder under the temporary folder, emptied when made and removed with its
// files, read-only ones included, when it goes. Paths stay in the ANSI code
// page throughout, so a name beyond ASCII means the same folder to the program.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string path;
  std::string File(const std::string& name) const { return path + "\\" + name; }
};

}  // namespace corvane::testing
