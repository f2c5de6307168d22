// "Corvane.exe /uninstall": which registry entries of the program it removes,
// and what it tells the user and the caller afterwards. No Windows here: the
// registry work and the message box are in uninstaller.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// "/uninstall" shows one message box; "/uninstall /quiet" shows none. Either
// word in any letter case, separated by blanks; nothing else may follow.
enum class UninstallMode { kWithMessage, kQuiet };
std::optional<UninstallMode> UninstallRequest(std::string_view arguments);

// The exit code of an uninstall: whether anything of the program's remains.
inline constexpr int kNothingRemains = 0;
inline constexpr int kSomethingRemains = 1;
// A running Corvane did not end: nothing was removed.
inline constexpr int kStillRunning = 2;

// The program a command line (a Run value) starts: the quoted part, or the
// text before its arguments (see ArgumentPortion), without trailing blanks.
std::string ProgramOfCommand(std::string_view command);

// One entry the program may leave in the registry, in the view its values
// live in. An empty `value` with `wholeKey` means the key with all its values.
struct RegistryTrace {
  enum class Kind { kRun, kStartupMark, kApplicationKey, kAppPaths, kVirtualStore };
  Kind kind;
  bool machine;  // HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
  std::string key;
  std::string value;
  bool wholeKey = false;
};

// Where the program keeps its entries: the product name (the Run value's and
// the Startup apps mark's name) and the key paths.
struct ProgramKeys {
  std::string product;
  std::string run;
  std::string startupApproved;
  std::string application;
  std::string appPaths;
};

// Every entry: for each root, the Run value and its Startup apps mark, the
// application key and the App Paths key; and the user's virtual-store copy of
// the application key.
std::vector<RegistryTrace> ProgramTraces(const ProgramKeys& keys);

// What a look at an entry found. An entry that names a program (the Run value,
// the App Paths key's default value) is another program's when that is not
// this executable.
enum class TraceState { kAbsent, kPresent, kOtherProgram };

// Which entries to remove (one flag per trace): those present and this
// program's. A Startup apps mark belongs to the Run value of its root, so it
// stays beside another program's Run value.
std::vector<bool> TracesToRemove(const std::vector<RegistryTrace>& traces, const std::vector<TraceState>& found);

// How an entry is named for the user ("HKCU\<key>", then " (value <name>)" for
// a value), and the reg.exe command that deletes it (in the 64-bit view for
// the machine's).
std::string TraceName(const RegistryTrace& trace);
std::string RegDeleteCommand(const RegistryTrace& trace);

// The outcome of an uninstall, from the states before and after the removal.
struct UninstallOutcome {
  bool stillRunning = false;  // a running Corvane did not end: nothing was tried
  bool endedRunning = false;  // a running Corvane was ended first
  std::vector<RegistryTrace> removed;
  std::vector<RegistryTrace> remaining;  // the program's, still there
  std::vector<RegistryTrace> others;     // left alone: another program's
};
UninstallOutcome OutcomeOf(const std::vector<RegistryTrace>& traces, const std::vector<TraceState>& before,
                           const std::vector<TraceState>& after);

int UninstallExitCode(const UninstallOutcome& outcome);

// The message box's text. `folder` is the program's folder, left to the user.
std::string UninstallMessage(const UninstallOutcome& outcome, std::string_view folder);

}  // namespace corvane
