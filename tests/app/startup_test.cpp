#include "app/startup.h"

#include <gtest/gtest.h>

namespace corvane {

TEST(Startup, OnlyTheExactWordAfterTheProgramNameIsTheDebugSwitch) {
  for (auto [line, debug] : {std::pair{"Corvane.exe /debug", true}, {"C:\\Tools\\Corvane.exe \t /debug", true},
                             {"\"C:\\Program Files\\Corvane.exe\"/debug", true}, {"Corvane.exe /DEBUG", false},
                             {"Corvane.exe /debug x", false}, {"Corvane.exe /debug ", false},
                             {"Corvane.exe x /debug", false}, {"\"C:\\unclosed /debug", false}}) {
    EXPECT_EQ(IsDebugSwitch(ArgumentPortion(line)), debug) << line;
  }
}

}  // namespace corvane
