#include "app/startup.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DebugSwitch, OnlyTheExactWordAfterTheProgramNameCounts) {
  for (const char* line : {"Corvane.exe /debug", "C:\\Tools\\Corvane.exe  \t /debug",
                           "\"C:\\Program Files\\Corvane.exe\" /debug", "\"C:\\Program Files\\Corvane.exe\"/debug"}) {
    EXPECT_TRUE(IsDebugSwitch(ArgumentPortion(line))) << line;
  }
  for (const char* line : {"Corvane.exe /DEBUG", "Corvane.exe /debug x", "Corvane.exe /debug ", "Corvane.exe x /debug",
                           "Corvane.exe \"/debug\"", "Corvane.exe", "\"C:\\unclosed /debug", ""}) {
    EXPECT_FALSE(IsDebugSwitch(ArgumentPortion(line))) << line;
  }
  EXPECT_EQ(ArgumentPortion("\"C:\\A B\\Corvane.exe\"  /debug x "), "/debug x ");
}

TEST(PathsOfModule, FolderExeAndSettingsPaths) {
  const struct {
    const char* module;
    ProgramPaths paths;
  } cases[] = {
      {"C:\\Program Files\\Halvorn\\Corvane.exe",
       {"C:\\Program Files\\Halvorn", "Corvane", "C:\\Program Files\\Halvorn\\Corvane.exe",
        "C:\\Program Files\\Halvorn\\Corvane.dat"}},
      // The extension is always the literal ".exe"; only the last one is dropped.
      {"D:\\my.tools\\CORVANE.v2.BIN",
       {"D:\\my.tools", "CORVANE.v2", "D:\\my.tools\\CORVANE.v2.exe", "D:\\my.tools\\CORVANE.v2.dat"}},
      // A drive's root keeps its backslash, and the separator is added all the same.
      {"C:\\Corvane.exe", {"C:\\", "Corvane", "C:\\\\Corvane.exe", "C:\\\\Corvane.dat"}},
      {"\\\\server\\share\\Corvane.exe",
       {"\\\\server\\share", "Corvane", "\\\\server\\share\\Corvane.exe", "\\\\server\\share\\Corvane.dat"}},
  };
  for (const auto& c : cases) {
    const ProgramPaths p = PathsOfModule(c.module);
    EXPECT_EQ(p.folder, c.paths.folder) << c.module;
    EXPECT_EQ(p.exeName, c.paths.exeName) << c.module;
    EXPECT_EQ(p.exePath, c.paths.exePath) << c.module;
    EXPECT_EQ(p.settingsPath, c.paths.settingsPath) << c.module;
  }
}

}  // namespace
}  // namespace corvane
