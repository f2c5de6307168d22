// The uninstall after a real consented start, against Wine's registry: as a
// user without administrator rights (deny entries on the machine-wide keys),
// then as an administrator. Ending a running Corvane is the end-to-end test's.
#include "app/uninstaller.h"

#include <gtest/gtest.h>

#include "app/fw_main.h"
#include "menu/startup_approval.h"
#include "storage/registry_store.h"
#include "support/files.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"
#include "support/standard_user.h"

namespace corvane {
namespace {

using testing::kAppKey, testing::kAppPathsKey, testing::kRunKey, testing::WriteHklm;
const std::string kVirtualStore = std::string("Software\\Classes\\VirtualStore\\MACHINE\\") + kAppKey;

// Every value the program writes, under both roots ("-" for each one missing), and its company's key.
std::string Left() {
  std::string values;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    for (auto [key, name] : {std::pair{kAppKey, ""}, {kAppKey, "CurrentVersion"}, {kRunKey, "Corvane"},
                             {kAppPathsKey, ""}, {kAppPathsKey, "Path"}, {kStartupApprovedKeyPath, "Corvane"}})
      values += RegReadValue(root, key, name, nullptr, REG_SZ, "-") + "|";
  return values + (RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn") ? "Halvorn" : "");
}

TEST(Uninstall, EveryValueGoesWhereItMayAnotherProgramsStayTheBoxSaysWhatIsLeftARunningOneEnds) {
  const testing::TempFolder folder{"corvane-uninstall-\xC4\xD6\xE9"};
  const std::string exe = folder.File("Corvane.exe"), other = "\"C:\\Other\\Corvane.exe\" /start";
  testing::WriteBytes(exe, "MZ");
  const auto forget = [] {
    testing::ForgetProgram();
    for (const char* key : {kRunKey, kStartupApprovedKeyPath}) RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "Corvane");
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppPathsKey);
  };
  forget();
  std::string box, ended;
  const auto consentedStart = [&] {
    testing::ScriptedDesktop desktop;
    fwMain window(GetModuleHandleA(nullptr), {"\"" + exe + "\"", exe, false}, {.desktop = desktop});
    window.Load();
    SendMessageA(GetDlgItem(window.hWnd(), IDOK), BM_CLICK, 0, 0);
  };
  const auto uninstall = [&](UninstallMode mode, InstanceEnd end = InstanceEnd::kEnded) {
    box = "(none)";
    // A running Corvane is asked to end with the program's values still there.
    const auto endRunning = [&] { return ended = Left(), end; };
    const auto ok = [&](const MSGBOXPARAMSA& p) { return box = p.lpszCaption + ("|" + std::string(p.lpszText)), IDOK; };
    return Uninstall(mode, PathsOfModule(exe), platform::ReadVersionRecord(), {endRunning, ok});
  };
  const std::string head = "Corvane|Corvane was running: it has been closed and your own cursors are back.\n\n"
                           "Removed from the registry:\n";
  const std::string tail = "\nTo finish, delete the folder " + folder.path +
                           " (or uninstall the package you installed Corvane with).";

  // Left from an elevated run: the Run value names this program by its short form in capitals, quoted, with arguments.
  char shortExe[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH), 0u);
  const std::string run = "\"" + std::string(CharUpperA(shortExe)) + "\" /start";
  WriteHklm(kRunKey, "Corvane", run);
  WriteHklm(kAppKey, "CurrentVersion", "0.14");
  WriteHklm(kAppPathsKey, "Path", "C:\\Old");
  const std::string machine = "-|0.14|" + run + "|-|C:\\Old|-|Halvorn";
  {
    const testing::MachineKeysDenied denied;
    consentedStart();
    const std::string user = folder.path + "|0.15|" + exe + "|" + exe + "|" + folder.path + "|-|";
    EXPECT_EQ(uninstall(UninstallMode::kQuiet, InstanceEnd::kStillRuns), kStillRunning);
    EXPECT_EQ(uninstall(UninstallMode::kWithMessage), kSomethingRemains);
    EXPECT_EQ(ended + " then " + Left(), user + machine + " then -|-|-|-|-|-|" + machine);
    EXPECT_EQ(box, head + "HKCU\\" + kRunKey + " (value Corvane)\nHKCU\\" + kAppKey + "\nHKCU\\" + kAppPathsKey +
                       "\n\nOnly an administrator can remove the rest. In a command prompt run as administrator:\n"
                       "reg delete HKLM\\" + kRunKey + " /v Corvane /f /reg:64\nreg delete HKLM\\" + kAppKey +
                       " /f /reg:64\nreg delete \"HKLM\\" + kAppPathsKey + "\" /f /reg:64\n" + tail);
    EXPECT_EQ(std::to_string(uninstall(UninstallMode::kQuiet)) + box, "1(none)");
  }

  // As an administrator, beside the user's autostart (switched off in Startup
  // apps) and App Paths of another program, and a virtual-store copy.
  consentedStart();
  RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Corvane", REG_SZ, other.c_str(), static_cast<DWORD>(other.size() + 1));
  RegSetKeyValueA(HKEY_CURRENT_USER, kAppPathsKey, "", REG_SZ, other.c_str(), static_cast<DWORD>(other.size() + 1));
  RegSetKeyValueA(HKEY_CURRENT_USER, kStartupApprovedKeyPath, "Corvane", REG_BINARY, "\3\0\0\0\1\1\1\1\1\1\1\1", 12);
  RegSetKeyValueA(HKEY_CURRENT_USER, kVirtualStore.c_str(), "CurrentVersion", REG_SZ, "0.15", 5);
  EXPECT_EQ(uninstall(UninstallMode::kWithMessage), kNothingRemains);
  EXPECT_EQ(Left(), "-|-|" + other + "|" + other + "|-|" + std::string("\3\0\0\0\1\1\1\1\1\1\1\1", 12) +
                        "|-|-|-|-|-|-|");
  EXPECT_EQ(box, head + "HKLM\\" + kRunKey + " (value Corvane)\nHKLM\\" + kAppKey + "\nHKLM\\" + kAppPathsKey +
                     "\nHKCU\\" + kVirtualStore + "\n\nLeft in place, as they belong to another program:\nHKCU\\" +
                     kRunKey + " (value Corvane)\nHKCU\\" + kStartupApprovedKeyPath + " (value Corvane)\nHKCU\\" +
                     kAppPathsKey + "\n" + tail);
  forget();

  // A mark without a window (an instance starting, or one that cannot be asked) still runs when the time is up.
  EXPECT_EQ(EndRunningInstance("Corvane.NoSuchWindow", 300, "Local\\Corvane.Test"), InstanceEnd::kNoneRan);
  const InstanceMark running("Local\\Corvane.Test");
  EXPECT_EQ(EndRunningInstance("Corvane.NoSuchWindow", 300, "Local\\Corvane.Test"), InstanceEnd::kStillRuns);
}

}  // namespace
}  // namespace corvane
