// The autostart value in the machine-wide Run key, checked with raw registry
// calls in both views.
#include "menu/start_with_windows.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "storage/registry_store.h"

namespace corvane {
namespace {

const std::string kProduct = "CorvaneMenuTest";
const std::string kPath = "C:\\Program Files\\Corvane\\Corvane.exe";

REGSAM ProgramView() { return IsWow64() ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }
REGSAM OtherView() { return IsWow64() ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

struct RawValue {
  DWORD type = 0;
  std::string data;
};

std::optional<RawValue> ReadRaw(REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const platform::RegKey key(opened);
  char buffer[512] = {};
  DWORD size = sizeof buffer - 1;
  RawValue value;
  if (RegQueryValueExA(key.get(), kProduct.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.assign(buffer, size);
  return value;
}

void WriteRaw(REGSAM view, const std::string& data) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &opened,
                            nullptr),
            ERROR_SUCCESS);
  const platform::RegKey key(opened);
  ASSERT_EQ(RegSetValueExA(key.get(), kProduct.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>(data.size() + 1)),
            ERROR_SUCCESS);
}

void DeleteRaw(REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS) return;
  const platform::RegKey key(opened);
  RegDeleteValueA(key.get(), kProduct.c_str());
}

class StartWithWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteRaw(KEY_WOW64_64KEY);
    DeleteRaw(KEY_WOW64_32KEY);
  }
  void TearDown() override { SetUp(); }
  ControlMenu menu;
};

TEST_F(StartWithWindows, SwitchingOnWritesThePlainPathInTheProgramsViewOnly) {
  WriteRaw(ProgramView(), "C:\\Elsewhere\\Corvane.exe");  // another copy's entry is replaced
  // Activation after a consent: the mark is cleared first, the switch sets it.
  menu.SetChecked(MenuCommand::Start, false);
  ToggleStartWithWindows(menu, kProduct, kPath);
  EXPECT_TRUE(menu.Checked(MenuCommand::Start));
  const auto value = ReadRaw(ProgramView());
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value->data, kPath + '\0');
  EXPECT_FALSE(ReadRaw(OtherView())) << "the value must not land in the other registry view";
}

TEST_F(StartWithWindows, SwitchingOffDeletesTheValueWhateverItHoldsInTheProgramsViewOnly) {
  WriteRaw(OtherView(), kPath);
  for (const std::string& data : {kPath, std::string("C:\\Other\\Tool.exe /x"), std::string()}) {
    if (!data.empty()) WriteRaw(ProgramView(), data);
    menu.SetChecked(MenuCommand::Start, true);
    ToggleStartWithWindows(menu, kProduct, kPath);
    EXPECT_FALSE(menu.Checked(MenuCommand::Start)) << data;
    EXPECT_FALSE(ReadRaw(ProgramView())) << data;
  }
  ASSERT_TRUE(ReadRaw(OtherView()));
  EXPECT_EQ(ReadRaw(OtherView())->data, kPath + '\0');
}

TEST_F(StartWithWindows, MarkIsSetOnlyForTheExactPath) {
  // Other letter case, quoted, with arguments, another copy.
  const std::string sameButNot[] = {"c:\\program files\\corvane\\corvane.exe", "\"" + kPath + "\"",
                                    kPath + " /debug", "D:\\Copy\\Corvane.exe"};
  for (const std::string& data : sameButNot) {
    WriteRaw(ProgramView(), data);
    menu.SetChecked(MenuCommand::Start, true);
    RefreshStartCheck(menu, kProduct, kPath);
    EXPECT_FALSE(menu.Checked(MenuCommand::Start)) << data;
  }
  WriteRaw(ProgramView(), kPath);
  RefreshStartCheck(menu, kProduct, kPath);
  EXPECT_TRUE(menu.Checked(MenuCommand::Start));
  DeleteRaw(ProgramView());  // another program removes the entry
  RefreshStartCheck(menu, kProduct, kPath);
  EXPECT_FALSE(menu.Checked(MenuCommand::Start));
}

}  // namespace
}  // namespace corvane
