// The uninstall after a real consented start, against Wine's registry: as an
// administrator, and as a user without administrator rights (deny entries on
// the machine-wide keys). Ending a running Corvane is the end-to-end test's.
#include "app/uninstaller.h"

#include <gtest/gtest.h>

#include "app/fw_main.h"
#include "menu/start_with_windows.h"
#include "menu/startup_approval.h"
#include "storage/registry_store.h"
#include "support/files.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"
#include "support/standard_user.h"

namespace corvane {
namespace {

using testing::kAppKey, testing::kAppPathsKey, testing::kRunKey;

struct UninstallTest : ::testing::Test {
  void SetUp() override { Forget(); }
  void TearDown() override { Forget(); }
  static void Forget() {
    testing::ForgetProgram();
    for (const char* key : {kAppKey, "SOFTWARE\\Halvorn", kAppPathsKey,
                            "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Halvorn\\Corvane",
                            "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Halvorn"})
      RegDeleteKeyA(HKEY_CURRENT_USER, key);
    for (const char* key : {kRunKey, kStartupApprovedKeyPath}) RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "Corvane");
  }

  // Yes in the consent window of Corvane.exe in `folder`, then the window's end.
  void ConsentedStart() {
    testing::ScriptedDesktop desktop;
    fwMain window(GetModuleHandleA(nullptr), {"\"" + exePath + "\"", exePath, false}, {.desktop = desktop});
    window.Load();
    SendMessageA(GetDlgItem(window.hWnd(), IDOK), BM_CLICK, 0, 0);
    ASSERT_EQ(RegReadValue(HKEY_CURRENT_USER, kAppKey) + testing::ReadHklmText(kAppKey, "").value_or(""), folder.path);
  }

  // The exit code, with the message box's text in `box`; `ended` tells
  // whether the program's entries were all still there when a running
  // Corvane was asked to end.
  int Run(UninstallMode mode) {
    box = "(none)";
    const auto endRunning = [this] {
      ended =
          RegReadValue(HKEY_CURRENT_USER, kRunKey, "Corvane") + testing::ReadHklmText(kRunKey, "Corvane").value_or("");
      return InstanceEnd::kEnded;
    };
    const auto show = [this](const MSGBOXPARAMSA& params) {
      box = std::string(params.lpszCaption) + "|" + params.lpszText;
      return IDOK;
    };
    return Uninstall(mode, PathsOfModule(exePath), platform::ReadVersionRecord(), {endRunning, show});
  }

  // Every value the program writes, under both roots: "-" for each one missing.
  static std::string Left() {
    std::string values;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (auto [key, name] : {std::pair{kAppKey, ""}, {kAppKey, "CurrentVersion"}, {kRunKey, "Corvane"},
                               {kAppPathsKey, ""}, {kAppPathsKey, "Path"}, {kStartupApprovedKeyPath, "Corvane"}})
        values += RegReadValue(root, key, name, nullptr, REG_SZ, "-") + "|";
      values += RegKeyExists(root, "SOFTWARE\\Halvorn") ? "Halvorn|" : "|";
    }
    return values;
  }

  const testing::TempFolder folder{"corvane-uninstall-\xC4\xD6\xE9"};
  const std::string exePath = folder.File("Corvane.exe");
  std::string box;
  std::string ended;
  const std::string wasRunning = "Corvane was running: it has been closed and your own cursors are back.\n\n";
  const std::string finish = "\nTo finish, delete the folder " + folder.path +
                             " (or uninstall the package you installed Corvane with).";
};

TEST_F(UninstallTest, AsAnAdministratorEverythingGoesButAnotherProgramsRunValue) {
  testing::WriteBytes(exePath, "MZ");
  ConsentedStart();
  // The user's autostart and App Paths of another program, the autostart
  // switched off in Startup apps; and a virtual-store copy of the application key.
  const std::string other = "\"C:\\Other\\Corvane.exe\" /start";
  RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Corvane", REG_SZ, other.c_str(), static_cast<DWORD>(other.size() + 1));
  RegSetKeyValueA(HKEY_CURRENT_USER, kAppPathsKey, "", REG_SZ, other.c_str(), static_cast<DWORD>(other.size() + 1));
  const std::string virtualStore = "Software\\Classes\\VirtualStore\\MACHINE\\";
  RegSetKeyValueA(HKEY_CURRENT_USER, (virtualStore + kAppKey).c_str(), "CurrentVersion", REG_SZ, "0.15", 5);
  const std::string mark("\3\0\0\0\1\1\1\1\1\1\1\1", 12);
  RegSetKeyValueA(HKEY_CURRENT_USER, kStartupApprovedKeyPath, "Corvane", REG_BINARY, mark.data(), 12);

  EXPECT_EQ(Run(UninstallMode::kWithMessage), kNothingRemains);
  EXPECT_EQ(ended, other + exePath) << "asked to end with every entry still there";
  EXPECT_EQ(Left(), "-|-|" + other + "|" + other + "|-|" + mark + "||-|-|-|-|-|-||");
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, virtualStore + "SOFTWARE\\Halvorn"));
  EXPECT_EQ(box, "Corvane|" + wasRunning + "Removed from the registry:\n"
                 "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run (value Corvane)\n"
                 "HKLM\\SOFTWARE\\Halvorn\\Corvane\n"
                 "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe\n"
                 "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Halvorn\\Corvane\n"
                 "\nLeft in place, as they belong to another program:\n"
                 "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run (value Corvane)\n"
                 "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run (value Corvane)\n"
                 "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe\n" +
                 finish);
}

// A machine-wide Run value, version and App Paths folder left from an elevated
// run: the Run value names this program by its short form in capitals.
TEST_F(UninstallTest, AsAUserItsOwnValuesGoAndTheMachinesAreLeftForAnAdministrator) {
  testing::WriteBytes(exePath, "MZ");
  char shortPath[MAX_PATH] = {};
  GetShortPathNameA(exePath.c_str(), shortPath, MAX_PATH);
  CharUpperA(shortPath);
  ASSERT_NE(shortPath, exePath);
  testing::WriteHklm(kRunKey, "Corvane", shortPath);
  testing::WriteHklm(kAppKey, "CurrentVersion", "0.14");
  testing::WriteHklm(kAppPathsKey, "Path", "C:\\Old");
  {
    const testing::MachineKeysDenied denied;
    ConsentedStart();
    const std::string user = folder.path + "|0.15|" + exePath + "|" + exePath + "|" + folder.path + "|-|Halvorn|";
    const std::string machine = "-|0.14|" + std::string(shortPath) + "|-|C:\\Old|-|Halvorn|";
    ASSERT_EQ(Left(), user + machine);

    EXPECT_EQ(Run(UninstallMode::kWithMessage), kSomethingRemains);
    EXPECT_EQ(Left(), "-|-|-|-|-|-||" + machine);
    EXPECT_EQ(box,
              "Corvane|" + wasRunning + "Removed from the registry:\n"
              "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run (value Corvane)\n"
              "HKCU\\SOFTWARE\\Halvorn\\Corvane\n"
              "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe\n"
              "\nOnly an administrator can remove the rest. In a command prompt run as administrator:\n"
              "reg delete HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v Corvane /f /reg:64\n"
              "reg delete HKLM\\SOFTWARE\\Halvorn\\Corvane /f /reg:64\n"
              "reg delete \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe\" /f /reg:64\n" +
                  finish);
    EXPECT_EQ(Run(UninstallMode::kQuiet), kSomethingRemains);
    EXPECT_EQ(box, "(none)");
  }
  EXPECT_EQ(Run(UninstallMode::kQuiet), kNothingRemains);
  EXPECT_EQ(Left(), "-|-|-|-|-|-||-|-|-|-|-|-||");
}

// A mark without a window (an instance starting, or one that cannot be
// asked) still runs when the time is up.
TEST(EndRunningInstance, NoneRunsOrOneStillRunsWhenTheTimeIsUp) {
  constexpr char kMark[] = "Local\\Halvorn.Corvane.EndTest";
  EXPECT_EQ(EndRunningInstance("Corvane.NoSuchWindow", 300, kMark), InstanceEnd::kNoneRan);
  const InstanceMark running(kMark);
  EXPECT_EQ(EndRunningInstance("Corvane.NoSuchWindow", 300, kMark), InstanceEnd::kStillRuns);
}

}  // namespace
}  // namespace corvane
