#include "app/uninstaller.h"

#include <vector>

#include "app/fw_main.h"
#include "menu/start_with_windows.h"
#include "menu/startup_approval.h"
#include "platform/module_path.h"
#include "resources/version.h"
#include "storage/registry_store.h"

namespace corvane {

namespace {

// Corvane ends at once when asked; this is for a busy machine.
constexpr DWORD kEndTimeoutMs = 10000;

HKEY RootOf(const RegistryTrace& trace) { return trace.machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

std::string Expanded(const std::string& text) {
  const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::string expanded(needed, '\0');
  const DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
  if (length == 0 || length > needed) return text;
  expanded.resize(length - 1);
  return expanded;
}

TraceState Look(const RegistryTrace& trace, const std::string& exePath) {
  using Kind = RegistryTrace::Kind;
  if (trace.wholeKey && !RegKeyExists(RootOf(trace), trace.key)) return TraceState::kAbsent;
  std::vector<unsigned char> found;
  const std::string text = RegReadValue(RootOf(trace), trace.key, trace.value, &found);
  if (!trace.wholeKey && found.empty()) return TraceState::kAbsent;
  // The Run value and the App Paths key name the program they start; an
  // empty or missing one names none.
  if ((trace.kind != Kind::kRun && trace.kind != Kind::kAppPaths) || text.empty()) return TraceState::kPresent;
  return platform::SameFile(Expanded(ProgramOfCommand(text)), exePath) ? TraceState::kPresent
                                                                       : TraceState::kOtherProgram;
}

std::vector<TraceState> LookAll(const std::vector<RegistryTrace>& traces, const std::string& exePath) {
  std::vector<TraceState> states;
  for (const RegistryTrace& trace : traces) states.push_back(Look(trace, exePath));
  return states;
}

std::string ParentKey(const std::string& key) { return key.substr(0, key.rfind('\\')); }

}  // namespace

InstanceEnd EndRunningCorvane() { return EndRunningInstance(fwMain::kClassName, kEndTimeoutMs); }

int Uninstall(UninstallMode mode, const ProgramPaths& paths, const platform::VersionRecord& record,
              const UninstallServices& services) {
  UninstallOutcome outcome;
  const InstanceEnd end = services.endRunning();
  // Held while removing, so that a start in between ends at once; one that
  // started since the running one was asked to end keeps its values.
  const InstanceMark holding;
  outcome.stillRunning = end == InstanceEnd::kStillRuns || holding.PreviousInstance();
  if (!outcome.stillRunning) {
    const std::vector<RegistryTrace> traces =
        ProgramTraces({record.ProductName, kRunKeyPath, kStartupApprovedKeyPath,
                       ApplicationKey(record.CompanyName, record.InternalName), AppPathsKey(paths.exeName)});
    const std::vector<TraceState> before = LookAll(traces, paths.exePath);
    const std::vector<bool> remove = TracesToRemove(traces, before);
    for (size_t i = 0; i < traces.size(); ++i) {
      if (!remove[i]) continue;
      const RegistryTrace& trace = traces[i];
      if (!trace.wholeKey) {
        RegRemoveValue(RootOf(trace), trace.key, trace.value);
        continue;
      }
      RegRemoveKey(RootOf(trace), trace.key);
      // The company's key, made with the application key, once nothing else is in it.
      if (trace.kind == RegistryTrace::Kind::kApplicationKey || trace.kind == RegistryTrace::Kind::kVirtualStore) {
        RegRemoveKey(RootOf(trace), ParentKey(trace.key), false);
      }
    }
    outcome = OutcomeOf(traces, before, LookAll(traces, paths.exePath));
    outcome.endedRunning = end == InstanceEnd::kEnded;
  }
  if (mode == UninstallMode::kWithMessage) {
    AppMessageBox(nullptr, UninstallMessage(outcome, paths.folder), MB_OK, record.ProductName, CORVANE_ICON_ID, 0,
                  services.messageBox);
  }
  return UninstallExitCode(outcome);
}

}  // namespace corvane
