#include "app/startup.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ArgumentPortion, SkipsTheProgramNameAndTheBlanksAfterIt) {
  EXPECT_EQ(ArgumentPortion("Corvane.exe /debug"), "/debug");
  EXPECT_EQ(ArgumentPortion("C:\\Tools\\Corvane.exe  \t /debug"), "/debug");
  EXPECT_EQ(ArgumentPortion("\"C:\\Program Files\\Corvane\\Corvane.exe\" /debug"), "/debug");
  EXPECT_EQ(ArgumentPortion("\"C:\\Program Files\\Corvane.exe\"/debug"), "/debug");
  EXPECT_EQ(ArgumentPortion("Corvane.exe"), "");
  EXPECT_EQ(ArgumentPortion("\"C:\\Program Files\\Corvane.exe\""), "");
  EXPECT_EQ(ArgumentPortion("\"C:\\unclosed /debug"), "");
  EXPECT_EQ(ArgumentPortion(""), "");
}

TEST(ArgumentPortion, KeepsTheRestAsItStands) {
  EXPECT_EQ(ArgumentPortion("Corvane.exe /debug "), "/debug ");
  EXPECT_EQ(ArgumentPortion("Corvane.exe /debug x"), "/debug x");
  EXPECT_EQ(ArgumentPortion("Corvane.exe \"/debug\""), "\"/debug\"");
}

TEST(DebugSwitch, OnlyTheExactWordCounts) {
  EXPECT_TRUE(IsDebugSwitch(ArgumentPortion("Corvane.exe /debug")));
  EXPECT_TRUE(IsDebugSwitch(ArgumentPortion("\"C:\\A B\\Corvane.exe\"   /debug")));
  for (const char* line : {"Corvane.exe /DEBUG", "Corvane.exe /Debug", "Corvane.exe /debug x",
                           "Corvane.exe /debug ", "Corvane.exe x /debug", "Corvane.exe -debug", "Corvane.exe debug",
                           "Corvane.exe /debu", "Corvane.exe", "Corvane.exe \"/debug\""}) {
    EXPECT_FALSE(IsDebugSwitch(ArgumentPortion(line))) << line;
  }
}

TEST(PathsOfModule, FolderNameAndDerivedPaths) {
  const ProgramPaths p = PathsOfModule("C:\\Program Files\\Halvorn\\Corvane.exe");
  EXPECT_EQ(p.folder, "C:\\Program Files\\Halvorn");
  EXPECT_EQ(p.exeName, "Corvane");
  EXPECT_EQ(p.exePath, "C:\\Program Files\\Halvorn\\Corvane.exe");
  EXPECT_EQ(p.settingsPath, "C:\\Program Files\\Halvorn\\Corvane.dat");
}

TEST(PathsOfModule, ExtensionIsAlwaysTheLiteralExe) {
  const ProgramPaths upper = PathsOfModule("D:\\Tools\\CORVANE.EXE");
  EXPECT_EQ(upper.exeName, "CORVANE");
  EXPECT_EQ(upper.exePath, "D:\\Tools\\CORVANE.exe");
  const ProgramPaths dotted = PathsOfModule("D:\\my.tools\\corvane.v2.bin");
  EXPECT_EQ(dotted.folder, "D:\\my.tools");
  EXPECT_EQ(dotted.exeName, "corvane.v2");
  EXPECT_EQ(dotted.exePath, "D:\\my.tools\\corvane.v2.exe");
  EXPECT_EQ(dotted.settingsPath, "D:\\my.tools\\corvane.v2.dat");
  EXPECT_EQ(PathsOfModule("D:\\Tools\\Corvane").exePath, "D:\\Tools\\Corvane.exe");
}

TEST(PathsOfModule, DriveRootKeepsItsBackslash) {
  const ProgramPaths p = PathsOfModule("C:\\Corvane.exe");
  EXPECT_EQ(p.folder, "C:\\");
  EXPECT_EQ(p.exePath, "C:\\\\Corvane.exe");
  EXPECT_EQ(PathsOfModule("\\\\server\\share\\Corvane.exe").folder, "\\\\server\\share");
}

TEST(RegistryKeys, AreBuiltFromTheVersionRecordAndExeName) {
  EXPECT_EQ(ApplicationKey("Halvorn", "Corvane"), "SOFTWARE\\Halvorn\\Corvane");
  EXPECT_EQ(AppPathsKey("Corvane"), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe");
}

}  // namespace
}  // namespace corvane
