#include "app/startup.h"

#include <gtest/gtest.h>

namespace corvane {

// The program's own path as the system passes it: quoted, or unquoted with
// blanks as a Run value starts it.
TEST(Startup, OnlyTheExactWordAfterTheProgramsPathIsTheDebugSwitch) {
  for (auto [line, debug] : {std::pair{"\"C:\\Program Files\\Corvane.exe\"/debug", true}, {"Corvane /debug", true},
                             {"C:\\Program Files\\Corvane\\Corvane.EXE \t /debug", true}, {"Corvane.exe /debug x", false},
                             {"C:\\Program Files\\Corvane\\Corvane.exe", false}, {"\"C:\\a b\\Corvane.exe\" /DEBUG", false},
                             {"Corvane.exe x /debug", false}, {"\"C:\\unclosed /debug", false}})
    EXPECT_EQ(IsDebugSwitch(ArgumentPortion(line)), debug) << line;
}

}  // namespace corvane
