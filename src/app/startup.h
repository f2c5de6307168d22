// What the program learns about itself at start: where it lives, what it was
// told on the command line, and the registry locations it keeps.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A blank between the words of a command line: a space or a tab.
bool IsBlank(char c);
// The two texts are equal when ASCII letters are compared without regard to case.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The part of a command line after the program's own name (quoted or not; an
// unquoted one with blanks ends at ".exe") and the blanks that follow it, as
// it stands: nothing is trimmed from its end.
std::string_view ArgumentPortion(std::string_view commandLine);

// True only for the argument portion "/debug" itself: letter case counts and
// nothing may stand before or after it.
bool IsDebugSwitch(std::string_view arguments);

struct ProgramPaths {
  std::string folder;        // no trailing backslash, except at a drive's root ("C:\")
  std::string exeName;       // the file name without its extension
  std::string exePath;       // folder + "\" + exeName + ".exe"
  std::string settingsPath;  // folder + "\" + exeName + ".dat"
};

// The paths of the program whose executable file is `modulePath` (a full path
// as the system reports it). The executable path always ends in the literal
// ".exe", whatever the file's own extension.
ProgramPaths PathsOfModule(std::string_view modulePath);

// "SOFTWARE\<company>\<title>": consent marker and version.
std::string ApplicationKey(std::string_view companyName, std::string_view title);

// The system's App Paths registration of the executable.
std::string AppPathsKey(std::string_view exeName);

}  // namespace corvane
