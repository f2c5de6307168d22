#include "app/startup.h"

namespace corvane {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view ArgumentPortion(std::string_view commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine.front() == '"') {
    // A quoted name runs to the closing quote, blanks included.
    const size_t close = commandLine.find('"', 1);
    at = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    // Unquoted, the name may hold blanks, as when a Run value names a program
    // in "C:\Program Files": it runs to the first blank after ".exe", or
    // without one to the first blank.
    while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    for (size_t end = at; end < commandLine.size(); ++end) {
      if (IsBlank(commandLine[end]) && end >= 4 && EqualIgnoringAsciiCase(commandLine.substr(end - 4, 4), ".exe")) {
        at = end;
        break;
      }
    }
  }
  while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
  return commandLine.substr(at);
}

bool IsDebugSwitch(std::string_view arguments) { return arguments == "/debug"; }

ProgramPaths PathsOfModule(std::string_view modulePath) {
  const size_t slash = modulePath.find_last_of("\\/");
  std::string_view folder = slash == std::string_view::npos ? std::string_view{} : modulePath.substr(0, slash);
  const std::string_view fileName = slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1);
  // A drive's root keeps its backslash ("C:\"), as the system writes it.
  if (folder.size() == 2 && folder[1] == ':') folder = modulePath.substr(0, 3);
  const size_t dot = fileName.rfind('.');

  ProgramPaths paths;
  paths.folder = folder;
  paths.exeName = fileName.substr(0, dot);
  paths.exePath = paths.folder + "\\" + paths.exeName + ".exe";
  paths.settingsPath = paths.folder + "\\" + paths.exeName + ".dat";
  return paths;
}

std::string ApplicationKey(std::string_view companyName, std::string_view title) {
  return "SOFTWARE\\" + std::string(companyName) + "\\" + std::string(title);
}

std::string AppPathsKey(std::string_view exeName) {
  return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + std::string(exeName) + ".exe";
}

}  // namespace corvane
