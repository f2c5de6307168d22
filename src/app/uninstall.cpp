#include "app/uninstall.h"

#include "app/startup.h"

namespace corvane {

namespace {

// Where Windows keeps a 32-bit program's redirected writes to HKLM\SOFTWARE.
constexpr char kVirtualStorePrefix[] = "Software\\Classes\\VirtualStore\\MACHINE\\";

std::string Quoted(const std::string& text) {
  return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
}

std::string RootAndKey(const RegistryTrace& trace) { return (trace.machine ? "HKLM\\" : "HKCU\\") + trace.key; }

}  // namespace

std::optional<UninstallMode> UninstallRequest(std::string_view arguments) {
  std::vector<std::string_view> words;
  for (size_t at = 0; at < arguments.size();) {
    if (IsBlank(arguments[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < arguments.size() && !IsBlank(arguments[end])) ++end;
    words.push_back(arguments.substr(at, end - at));
    at = end;
  }
  if (words.empty() || !EqualIgnoringAsciiCase(words[0], "/uninstall")) return std::nullopt;
  if (words.size() == 1) return UninstallMode::kWithMessage;
  if (words.size() == 2 && EqualIgnoringAsciiCase(words[1], "/quiet")) return UninstallMode::kQuiet;
  return std::nullopt;
}

std::string ProgramOfCommand(std::string_view command) {
  while (!command.empty() && IsBlank(command.front())) command.remove_prefix(1);
  std::string_view program = command.substr(0, command.size() - ArgumentPortion(command).size());
  while (!program.empty() && IsBlank(program.back())) program.remove_suffix(1);
  if (!program.empty() && program.front() == '"') {
    program.remove_prefix(1);
    if (!program.empty() && program.back() == '"') program.remove_suffix(1);
  }
  return std::string(program);
}

std::vector<RegistryTrace> ProgramTraces(const ProgramKeys& keys) {
  using Kind = RegistryTrace::Kind;
  std::vector<RegistryTrace> traces;
  for (bool machine : {false, true}) {
    traces.push_back({Kind::kRun, machine, keys.run, keys.product});
    traces.push_back({Kind::kStartupMark, machine, keys.startupApproved, keys.product});
    traces.push_back({Kind::kApplicationKey, machine, keys.application, "", true});
    traces.push_back({Kind::kAppPaths, machine, keys.appPaths, "", true});
  }
  traces.push_back({Kind::kVirtualStore, false, kVirtualStorePrefix + keys.application, "", true});
  return traces;
}

std::vector<bool> TracesToRemove(const std::vector<RegistryTrace>& traces, const std::vector<TraceState>& found) {
  std::vector<bool> remove(traces.size(), false);
  for (size_t i = 0; i < traces.size(); ++i) {
    if (found[i] != TraceState::kPresent) continue;
    bool besideOthers = false;
    if (traces[i].kind == RegistryTrace::Kind::kStartupMark) {
      for (size_t j = 0; j < traces.size(); ++j) {
        besideOthers |= traces[j].kind == RegistryTrace::Kind::kRun && traces[j].machine == traces[i].machine &&
                        found[j] == TraceState::kOtherProgram;
      }
    }
    remove[i] = !besideOthers;
  }
  return remove;
}

std::string TraceName(const RegistryTrace& trace) {
  return RootAndKey(trace) + (trace.wholeKey ? "" : " (value " + trace.value + ")");
}

std::string RegDeleteCommand(const RegistryTrace& trace) {
  std::string command = "reg delete " + Quoted(RootAndKey(trace));
  if (!trace.wholeKey) command += " /v " + Quoted(trace.value);
  command += " /f";
  if (trace.machine) command += " /reg:64";
  return command;
}

UninstallOutcome OutcomeOf(const std::vector<RegistryTrace>& traces, const std::vector<TraceState>& before,
                           const std::vector<TraceState>& after) {
  UninstallOutcome outcome;
  const std::vector<bool> removable = TracesToRemove(traces, before);
  for (size_t i = 0; i < traces.size(); ++i) {
    if (before[i] == TraceState::kAbsent) continue;
    if (!removable[i]) {
      outcome.others.push_back(traces[i]);
    } else if (after[i] == TraceState::kAbsent) {
      outcome.removed.push_back(traces[i]);
    } else {
      outcome.remaining.push_back(traces[i]);
    }
  }
  return outcome;
}

int UninstallExitCode(const UninstallOutcome& outcome) {
  if (outcome.stillRunning) return kStillRunning;
  return outcome.remaining.empty() ? kNothingRemains : kSomethingRemains;
}

std::string UninstallMessage(const UninstallOutcome& outcome, std::string_view folder) {
  if (outcome.stillRunning) {
    return "Corvane is still running and did not close, so nothing was removed.\n\n"
           "Choose Quit in its menu (hold the left Shift key and click the middle mouse button), then run "
           "Corvane.exe /uninstall again.";
  }
  std::string text;
  if (outcome.endedRunning) text += "Corvane was running: it has been closed and your own cursors are back.\n\n";
  if (!outcome.removed.empty()) {
    text += "Removed from the registry:\n";
    for (const RegistryTrace& trace : outcome.removed) text += TraceName(trace) + "\n";
  } else if (outcome.remaining.empty()) {
    text += "Corvane had nothing in the registry to remove.\n";
  }
  if (!outcome.remaining.empty()) {
    text += "\nOnly an administrator can remove the rest. In a command prompt run as administrator:\n";
    for (const RegistryTrace& trace : outcome.remaining) text += RegDeleteCommand(trace) + "\n";
  }
  if (!outcome.others.empty()) {
    text += "\nLeft in place, as they belong to another program:\n";
    for (const RegistryTrace& trace : outcome.others) text += TraceName(trace) + "\n";
  }
  text += "\nTo finish, delete the folder " + std::string(folder) +
          " (or uninstall the package you installed Corvane with).";
  return text;
}

}  // namespace corvane
