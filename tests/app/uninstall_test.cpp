#include "app/uninstall.h"

#include <gtest/gtest.h>

namespace corvane {

// What the registry holds, the program a Run value names and the exit codes are
// the Windows tests'; here the switches.
TEST(Uninstall, OnlyUninstallAndUninstallQuietInAnyCase) {
  for (auto [arguments, mode] : {std::pair{"/uninstall", 0}, {"/UnInstall \t/QUIET ", 1}, {"/uninstall /quiet x", 2},
                                 {"/quiet", 2}, {"/uninstallx", 2}, {"", 2}, {"/debug /uninstall", 2}})
    EXPECT_EQ(UninstallRequest(arguments) ? static_cast<int>(*UninstallRequest(arguments)) : 2, mode) << arguments;
}

}  // namespace corvane
