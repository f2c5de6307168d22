// The autostart value in the machine-wide Run key, checked with raw registry
// calls in both views.
#include "menu/start_with_windows.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/registry_store.h"
#include "support/registry.h"

namespace corvane {
namespace {

using testing::ReadHklm;
using testing::WriteHklm;

constexpr char kProduct[] = "CorvaneMenuTest";
const std::string kPath = "C:\\Program Files\\Corvane\\Corvane.exe";

REGSAM ProgramView() { return IsWow64() ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }
REGSAM OtherView() { return IsWow64() ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

class StartWithWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::DeleteHklm(kRunKeyPath, kProduct, KEY_WOW64_64KEY);
    testing::DeleteHklm(kRunKeyPath, kProduct, KEY_WOW64_32KEY);
  }
  void TearDown() override { SetUp(); }
  ControlMenu menu;
};

TEST_F(StartWithWindows, SwitchingOnWritesThePlainPathInTheProgramsViewOnly) {
  WriteHklm(kRunKeyPath, kProduct, "C:\\Elsewhere\\Corvane.exe", ProgramView());  // another copy's entry is replaced
  // Activation after a consent: the mark is cleared first, the switch sets it.
  menu.SetChecked(MenuCommand::Start, false);
  ToggleStartWithWindows(menu, kProduct, kPath);
  EXPECT_TRUE(menu.Checked(MenuCommand::Start));
  const auto value = ReadHklm(kRunKeyPath, kProduct, ProgramView());
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value->bytes, kPath + '\0');
  EXPECT_FALSE(ReadHklm(kRunKeyPath, kProduct, OtherView())) << "the value must not land in the other registry view";
}

TEST_F(StartWithWindows, SwitchingOffDeletesTheValueWhateverItHoldsInTheProgramsViewOnly) {
  WriteHklm(kRunKeyPath, kProduct, kPath, OtherView());
  // The last round finds no value to delete.
  for (const std::string& data : {kPath, std::string("C:\\Other\\Tool.exe /x"), std::string()}) {
    if (!data.empty()) WriteHklm(kRunKeyPath, kProduct, data, ProgramView());
    menu.SetChecked(MenuCommand::Start, true);
    ToggleStartWithWindows(menu, kProduct, kPath);
    EXPECT_FALSE(menu.Checked(MenuCommand::Start)) << data;
    EXPECT_FALSE(ReadHklm(kRunKeyPath, kProduct, ProgramView())) << data;
  }
  EXPECT_EQ(testing::ReadHklmText(kRunKeyPath, kProduct, OtherView()), kPath);
}

// Other letter case, quoted, with arguments or another copy is not this
// program's entry; nor is a value another program removed (empty here).
TEST_F(StartWithWindows, MarkIsSetOnlyForTheExactPath) {
  for (const std::string& data : {std::string("c:\\program files\\corvane\\corvane.exe"), "\"" + kPath + "\"",
                                  kPath + " /debug", std::string("D:\\Copy\\Corvane.exe"), kPath, std::string()}) {
    if (data.empty()) {
      testing::DeleteHklm(kRunKeyPath, kProduct, ProgramView());
    } else {
      WriteHklm(kRunKeyPath, kProduct, data, ProgramView());
    }
    menu.SetChecked(MenuCommand::Start, data != kPath);
    RefreshStartCheck(menu, kProduct, kPath);
    EXPECT_EQ(menu.Checked(MenuCommand::Start), data == kPath) << data;
  }
}

}  // namespace
}  // namespace corvane
