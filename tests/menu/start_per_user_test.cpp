// Start with Windows for a user without administrator rights, played by deny
// entries on the machine-wide keys, and the Startup apps switch.
#include <gtest/gtest.h>

#include <string>

#include "menu/start_with_windows.h"
#include "menu/startup_approval.h"
#include "storage/registry_store.h"
#include "support/standard_user.h"

namespace corvane {
namespace {

const std::string kPath = "C:\\Users\\Ann\\Corvane\\Corvane.exe";

// The user's Run value, "<absent>" when there is none.
std::string UserRunValue() { return RegReadValue(HKEY_CURRENT_USER, kRunKeyPath, "Corvane", nullptr, {}, "<absent>"); }

class StartPerUser : public ::testing::Test {
 protected:
  void TearDown() override {
    testing::ForgetProgram();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKeyPath, "Corvane");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kStartupApprovedKeyPath, "Corvane");
  }
  // Chooses the item, then reads its mark as the next opening of the menu shows it.
  bool Choose() {
    ToggleStartWithWindows(menu, "Corvane", kPath);
    RefreshStartCheck(menu, "Corvane", kPath);
    return menu.Checked(MenuCommand::Start);
  }
  ControlMenu menu;
};

TEST_F(StartPerUser, TheUsersRunValueWhereTheMachinesIsRefused) {
  {
    const testing::MachineKeysDenied denied;
    EXPECT_TRUE(Choose());
    EXPECT_EQ(UserRunValue(), kPath);

    // Switched off in Startup apps: the value stays, Windows does not use it.
    RegSetKeyValueA(HKEY_CURRENT_USER, kStartupApprovedKeyPath, "Corvane", REG_BINARY,
                    "\3\0\0\0\x17\x79\xBD\1\x17\xD9\xD1\1", 12);
    RefreshStartCheck(menu, "Corvane", kPath);
    EXPECT_FALSE(menu.Checked(MenuCommand::Start));
    EXPECT_TRUE(Choose()) << "choosing the item switches the entry on";
  }
  // With rights given later, switching off deletes both values.
  testing::WriteHklm(kRunKeyPath, "Corvane", kPath);
  EXPECT_FALSE(Choose());
  EXPECT_EQ(UserRunValue(), "<absent>");
  EXPECT_EQ(testing::ReadHklmText(kRunKeyPath, "Corvane"), std::nullopt);

  // The machine's value already names the program: nothing to write, not even per user.
  testing::WriteHklm(kRunKeyPath, "Corvane", kPath);
  const testing::MachineKeysDenied denied;
  EXPECT_TRUE(Choose());
  EXPECT_EQ(UserRunValue(), "<absent>");
}

}  // namespace
}  // namespace corvane
