#include "app/uninstall.h"

#include <gtest/gtest.h>

namespace corvane {

// What the registry holds is the Windows tests'; here the switches, the program
// a Run value starts, and a Corvane that did not end.
TEST(Uninstall, TheSwitchesTheProgramOfARunValueAndARunningCorvane) {
  for (auto [arguments, mode] : {std::pair{"/uninstall", 0}, {"/UnInstall \t/QUIET ", 1}, {"/uninstall /quiet x", 2},
                                 {"/quiet", 2}, {"/uninstallx", 2}, {"", 2}, {"/debug /uninstall", 2}}) {
    EXPECT_EQ(UninstallRequest(arguments) ? static_cast<int>(*UninstallRequest(arguments)) : 2, mode) << arguments;
  }
  for (auto [command, program] :
       {std::pair{"\"C:\\Program Files\\Corvane\\Corvane.exe\" /x", "C:\\Program Files\\Corvane\\Corvane.exe"},
        {"C:\\Program Files\\Corvane\\Corvane.EXE -a b", "C:\\Program Files\\Corvane\\Corvane.EXE"},
        {" C:\\PROGRA~1\\Corvane\\Corvane.exe", "C:\\PROGRA~1\\Corvane\\Corvane.exe"}, {"\"C:\\open", "C:\\open"}})
    EXPECT_EQ(ProgramOfCommand(command), program) << command;
  const UninstallOutcome running{.stillRunning = true};
  EXPECT_EQ(UninstallExitCode(running), kStillRunning);
  EXPECT_EQ(UninstallMessage(running, "C:\\T").substr(0, 69),
            "Corvane is still running and did not close, so nothing was removed.\n\n");
}

}  // namespace corvane
