// A user without administrator rights: the machine-wide keys refuse writing,
// as they do on Windows for every program that is not elevated. fwMain runs in
// this process against the real registry, its desktop services scripted.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/fw_main.h"
#include "platform/module_path.h"
#include "support/files.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"
#include "support/standard_user.h"

namespace corvane {
namespace {

using testing::kAppKey, testing::kAppPathsKey, testing::kRunKey, testing::ReadHkcuText, testing::ReadHklmText;

// Marker, version, autostart, App Paths and its folder, under one root.
using Values = std::vector<std::optional<std::string>>;
Values Stored(bool user) {
  const auto read = [user](const char* key, const char* name) {
    return user ? ReadHkcuText(key, name) : ReadHklmText(key, name);
  };
  return {read(kAppKey, nullptr), read(kAppKey, "CurrentVersion"), read(kRunKey, "Corvane"),
          read(kAppPathsKey, nullptr), read(kAppPathsKey, "Path")};
}

class StandardUser : public ::testing::Test {
 protected:
  const testing::TempFolder folder{"corvane-user-tests"};
  const std::string exe = folder.File("Corvane.exe");
  const Values written{folder.path, "0.15", exe, exe, folder.path};
  testing::ScriptedDesktop desktop;
  std::unique_ptr<fwMain> main_;

  void SetUp() override {
    testing::ForgetProgram();
    testing::ForgetUserValues();
  }
  void TearDown() override {
    Start(false);
    SetUp();
  }

  // Starts the program; accepts the consent window when it comes.
  void Start(bool run = true) {
    main_.reset();
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (!run) return;
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), Launch{"\"" + exe + "\"", exe, false},
                                     Services{.desktop = desktop});
    main_->Load();
    asked = IsWindowVisible(main_->hWnd());
    if (asked) SendMessageA(GetDlgItem(main_->hWnd(), fwMain::kbbYesId), BM_CLICK, 0, 0);
  }
  bool asked = false;

  bool Checked() {
    main_->mPopup_Click();
    return main_->mPopup().Checked(MenuCommand::Start);
  }
};

TEST_F(StandardUser, ConsentAndAutostartAreKeptForTheUserWhereTheMachineRefuses) {
  {
    const testing::MachineKeysDenied denied;
    Start();
    EXPECT_EQ(Stored(true), written);
    EXPECT_EQ(Stored(false), Values(5)) << "nothing machine-wide";
    EXPECT_TRUE(main_->mPopup().Checked(MenuCommand::Start));
    Start();
    EXPECT_FALSE(asked) << "the user's marker holds the consent";
    EXPECT_TRUE(Checked());

    // Switched off in Startup apps: the Run value stays, Windows will not use it.
    const std::string off = std::string("\x03\0\0\0\x17\x79\xBD\x01\x17\xD9\xD1\x01", 12);
    RegSetKeyValueA(HKEY_CURRENT_USER, testing::kStartupApprovedKey, "Corvane", REG_BINARY, off.data(), 12);
    EXPECT_FALSE(Checked());
    main_->mPopupStart_Click();
    EXPECT_TRUE(Checked()) << "choosing the item switches the entry on";
    main_->mPopupStart_Click();
    EXPECT_EQ(ReadHkcuText(kRunKey, "Corvane"), std::nullopt);
    main_->mPopupStart_Click();
    EXPECT_EQ(ReadHkcuText(kRunKey, "Corvane"), exe);
  }
  // Given the rights later, switching off removes both values.
  testing::WriteHklm(kRunKey, "Corvane", exe);
  main_->mPopupStart_Click();
  EXPECT_EQ(ReadHkcuText(kRunKey, "Corvane"), std::nullopt);
  EXPECT_EQ(ReadHklmText(kRunKey, "Corvane"), std::nullopt);
}

TEST_F(StandardUser, WhoMayWriteTheMachineKeysLeavesNothingForTheUser) {
  Start();
  EXPECT_TRUE(asked);
  EXPECT_EQ(Stored(false), written);
  main_->mPopupStart_Click();
  main_->mPopupStart_Click();
  EXPECT_EQ(Stored(true), Values(5));
}

// A folder the ANSI code page cannot spell (Greek under a Western one): the
// program names it by its short form, through which its settings file is found
// and its Run value names the executable.
TEST(ProgramPath, AFolderTheCodePageCannotSpellIsNamedByItsShortForm) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"\u039A\u03BF\u03C1\u03B2\u03AC\u03BD\u03B7";
  CreateDirectoryW(folder.c_str(), nullptr);
  CloseHandle(CreateFileW((folder + L"\\Corvane.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const ProgramPaths paths = PathsOfModule(platform::AnsiPath(folder + L"\\Corvane.exe"));
  EXPECT_NE(GetFileAttributesA(paths.exePath.c_str()), INVALID_FILE_ATTRIBUTES) << paths.exePath;
  WritePrivateProfileStringA("fwMain", "ForeColor", "255", paths.settingsPath.c_str());
  EXPECT_TRUE(DeleteFileW((folder + L"\\Corvane.dat").c_str())) << "the settings file is not in the folder";
  DeleteFileW((folder + L"\\Corvane.exe").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace corvane
