#include "app/uninstall.h"

#include <gtest/gtest.h>

namespace corvane {

// What the registry holds, and the program a Run value names, are the Windows
// tests'; here the switches, and a Corvane that did not end.
TEST(Uninstall, TheSwitchesAndACorvaneThatDidNotEnd) {
  for (auto [arguments, mode] : {std::pair{"/uninstall", 0}, {"/UnInstall \t/QUIET ", 1}, {"/uninstall /quiet x", 2},
                                 {"/quiet", 2}, {"/uninstallx", 2}, {"", 2}, {"/debug /uninstall", 2}})
    EXPECT_EQ(UninstallRequest(arguments) ? static_cast<int>(*UninstallRequest(arguments)) : 2, mode) << arguments;
  EXPECT_EQ(UninstallExitCode({.stillRunning = true}), kStillRunning);
}

}  // namespace corvane
