#include "app/uninstall.h"

#include <gtest/gtest.h>

namespace corvane {

TEST(Uninstall, TheSwitchesAndTheProgramARunValueStarts) {
  for (auto [arguments, mode] : {std::pair{"/uninstall", 0}, {"/UnInstall \t/QUIET ", 1}, {"/uninstall /quiet x", 2},
                                 {"/quiet", 2}, {"/uninstallx", 2}, {"", 2}, {"/debug /uninstall", 2}}) {
    const auto request = UninstallRequest(arguments);
    EXPECT_EQ(request ? static_cast<int>(*request) : 2, mode) << arguments;
  }
  for (auto [command, program] :
       {std::pair{"\"C:\\Program Files\\Corvane\\Corvane.exe\" /x", "C:\\Program Files\\Corvane\\Corvane.exe"},
        {"C:\\Program Files\\Corvane\\Corvane.EXE -a b", "C:\\Program Files\\Corvane\\Corvane.EXE"},
        {" C:\\PROGRA~1\\Corvane\\Corvane.exe", "C:\\PROGRA~1\\Corvane\\Corvane.exe"}, {"\"C:\\open", "C:\\open"}})
    EXPECT_EQ(ProgramOfCommand(command), program) << command;
}

// The user's Run value starts another program, so its Startup apps mark stays
// with it; the machine's App Paths key is another program's; the machine's Run
// value and application key cannot be removed without an administrator.
TEST(Uninstall, WhatIsRemovedKeptAndLeftForAnAdministratorAndTheExitCode) {
  using S = TraceState;
  const auto traces = ProgramTraces({"Corvane", "Software\\Run", "Software\\StartupApproved\\Run",
                                     "SOFTWARE\\Halvorn\\Corvane", "SOFTWARE\\App Paths\\Corvane.exe"});
  // Per root: Run, its mark, application key, App Paths; then the user's virtual store.
  const std::vector<S> before{S::kOtherProgram, S::kPresent, S::kPresent, S::kPresent, S::kPresent,
                              S::kAbsent,       S::kPresent, S::kOtherProgram, S::kPresent};
  std::vector<S> after = before;
  for (size_t removed : {2, 3, 8}) after[removed] = S::kAbsent;
  EXPECT_EQ(TracesToRemove(traces, before),
            (std::vector<bool>{false, false, true, true, true, false, true, false, true}));
  UninstallOutcome outcome = OutcomeOf(traces, before, after);
  outcome.endedRunning = true;
  EXPECT_EQ(UninstallExitCode(outcome), kSomethingRemains);
  EXPECT_EQ(UninstallMessage(outcome, "C:\\Tools\\Corvane"),
            "Corvane was running: it has been closed and your own cursors are back.\n\n"
            "Removed from the registry:\n"
            "HKCU\\SOFTWARE\\Halvorn\\Corvane\n"
            "HKCU\\SOFTWARE\\App Paths\\Corvane.exe\n"
            "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Halvorn\\Corvane\n"
            "\nOnly an administrator can remove the rest. In a command prompt run as administrator:\n"
            "reg delete HKLM\\Software\\Run /v Corvane /f /reg:64\n"
            "reg delete HKLM\\SOFTWARE\\Halvorn\\Corvane /f /reg:64\n"
            "\nLeft in place, as they belong to another program:\n"
            "HKCU\\Software\\Run (value Corvane)\n"
            "HKCU\\Software\\StartupApproved\\Run (value Corvane)\n"
            "HKLM\\SOFTWARE\\App Paths\\Corvane.exe\n"
            "\nTo finish, delete the folder C:\\Tools\\Corvane (or uninstall the package you installed Corvane with).");
  EXPECT_EQ(RegDeleteCommand(traces[3]), "reg delete \"HKCU\\SOFTWARE\\App Paths\\Corvane.exe\" /f");

  // Everything of the program's gone: nothing remains, whatever another program keeps.
  EXPECT_EQ(UninstallExitCode(OutcomeOf(traces, before, std::vector<S>(9, S::kAbsent))), kNothingRemains);
  const std::vector<S> nothing(9, S::kAbsent);
  EXPECT_EQ(UninstallMessage(OutcomeOf(traces, nothing, nothing), "C:\\T").substr(0, 47),
            "Corvane had nothing in the registry to remove.\n");
  outcome.stillRunning = true;
  EXPECT_EQ(UninstallExitCode(outcome), kStillRunning);
  EXPECT_EQ(UninstallMessage(outcome, "C:\\T").substr(0, 36), "Corvane is still running and did not");
}

}  // namespace corvane
