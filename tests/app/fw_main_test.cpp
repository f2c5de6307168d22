// fwMain driven in this process: the real window, controls, registry and
// settings file, with the keyboard, pointer and cursor services scripted.
#include "app/fw_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/consent.h"
#include "support/files.h"
#include "support/gdi.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::ForgetProgram, testing::ReadHklmText, testing::WriteHklm;
using testing::kAppKey, testing::kAppPathsKey, testing::kRunKey;

// The five values the program writes: marker, version, autostart, App Paths and its folder.
using Values = std::vector<std::optional<std::string>>;
Values Registry() {
  return {ReadHklmText(kAppKey, nullptr), ReadHklmText(kAppKey, "CurrentVersion"), ReadHklmText(kRunKey, "Corvane"),
          ReadHklmText(kAppPathsKey, nullptr), ReadHklmText(kAppPathsKey, "Path")};
}

// Delivers this thread's messages for `ms` milliseconds; true when WM_QUIT came.
bool Pump(DWORD ms) {
  bool quit = false;
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      quit = quit || message.message == WM_QUIT;
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
  return quit;
}

int Ticks(const testing::ScriptedDesktop& desktop) {
  int n = 0;
  for (const auto& call : desktop.calls) n += call == "KeyState";
  return n / 2;  // each tick reads left Shift and the middle button
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Also the font dialog, which the user always cancels.
class FwMainTest : public ::testing::Test, public FontChooser {
 protected:
  // A program in a folder of its own, which holds its settings file.
  const std::string folder = testing::TempPath("corvane-app-tests");
  const std::string exePath = folder + "\\Corvane.exe";
  const std::string settingsPath = folder + "\\Corvane.dat";

  testing::ScriptedDesktop desktop;
  std::vector<MenuCommand> menuAnswers;  // what the openings choose, in turn
  std::vector<bool> startCheckWhenOpened;
  std::vector<std::string> boxes;  // caption + "|" + text of each message box
  std::vector<HWND> fontDialogOwners;
  std::unique_ptr<fwMain> main_;

  bool ShowFont(CommonDialog&, HWND owner) override {
    fontDialogOwners.push_back(owner);
    return false;
  }

  void SetUp() override {
    TearDown();
    CreateDirectoryA(folder.c_str(), nullptr);
  }

  void TearDown() override {
    Stop();
    ForgetProgram();
    DeleteFileA(settingsPath.c_str());
    RemoveDirectoryA(folder.c_str());
  }

  fwMain& Start(const std::string& arguments = "", bool previousInstance = false) {
    const auto track = [this](ControlMenu& menu, HWND, POINT, const std::function<void()>& opening) {
      opening();
      startCheckWhenOpened.push_back(menu.Checked(MenuCommand::Start));
      const size_t n = startCheckWhenOpened.size();
      return n <= menuAnswers.size() ? menuAnswers[n - 1] : MenuCommand::None;
    };
    const auto box = [this](const MSGBOXPARAMSA& params) {
      boxes.push_back(std::string(params.lpszCaption) + "|" + params.lpszText);
      return IDOK;
    };
    const Services services{.desktop = desktop, .trackMenu = track, .messageBox = box, .fontChooser = *this};
    const std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), Launch{commandLine, exePath, previousInstance},
                                     services);
    main_->Load();
    return *main_;
  }

  // A start after an earlier consent in this folder.
  fwMain& StartConsented() {
    WriteHklm(kAppKey, "", folder);
    return Start();
  }

  // Ends the window (if any) and swallows its WM_QUIT.
  void Stop() {
    main_.reset();
    Pump(0);
  }

  // The window is gone and the message loop would end, with nothing written.
  void ExpectEndedWithout(const Values& before) {
    EXPECT_EQ(main_->hWnd(), nullptr);
    EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
    EXPECT_EQ(Registry(), before);
  }

  bool Shown() const { return main_->hWnd() && IsWindowVisible(main_->hWnd()); }
  HWND Control(int id) const { return GetDlgItem(main_->hWnd(), id); }

  // One tick with left Shift and the middle button held: the menu opens.
  void Gesture() {
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    main_->toLang_Timer();
    desktop.keyStates.clear();
  }
};

TEST_F(FwMainTest, StartUpEndsActivatesSilentlyOrAsks) {
  enum Outcome { Ended, Silent, Asks };
  std::string upperFolder = folder;
  CharUpperA(upperFolder.data());
  const struct {
    bool previousInstance;
    std::optional<std::string> marker;
    std::string arguments;
    Outcome outcome;
  } cases[] = {
      {true, folder, "", Ended},       {true, folder, "/debug", Ended},  {false, folder, "", Silent},
      {false, folder, "/debug", Asks}, {false, std::nullopt, "", Asks},  {false, upperFolder, "", Asks},
      {false, folder + "\\", "", Asks}, {false, "C:\\Old place", "", Asks},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.value_or("(no marker)") + " [" + c.arguments + "]" + (c.previousInstance ? " second" : ""));
    ForgetProgram();
    if (c.marker) WriteHklm(kAppKey, "", *c.marker);
    const Values before = Registry();
    desktop.reloads = 0;
    fwMain& window = Start(c.arguments, c.previousInstance);
    switch (c.outcome) {
      case Ended:
        ExpectEndedWithout(before);
        break;
      case Silent:
        EXPECT_FALSE(Shown());
        EXPECT_EQ(window.Tag(), settingsPath);
        EXPECT_EQ(Control(fwMain::kbbYesId), nullptr) << "no consent controls on the silent path";
        // A close request from another program ends it; the cursors come back as at Quit.
        SendMessageA(window.hWnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(window.hWnd(), nullptr);
        break;
      case Asks:
        EXPECT_TRUE(Shown());
        EXPECT_EQ(Registry(), before) << "nothing is written before Yes";
        EXPECT_FALSE(Pump(250));
        EXPECT_EQ(Ticks(desktop), 0) << "the timer runs before activation";
        break;
    }
    EXPECT_EQ(desktop.reloads, c.outcome == Silent ? 2 : 0);
    Stop();
  }
}

TEST_F(FwMainTest, ConsentWindowAsLaidOut) {
  const platform::WindowDc screen;
  if (GetDeviceCaps(screen.get(), LOGPIXELSX) != 96 || GetDeviceCaps(screen.get(), LOGPIXELSY) != 96) {
    GTEST_SKIP() << "the pixel figures hold at 96 dpi";
  }
  HWND w = Start().hWnd();
  ASSERT_TRUE(Shown());
  RECT r{};
  GetClientRect(w, &r);
  EXPECT_EQ((std::pair<LONG, LONG>{r.right, r.bottom}), (std::pair<LONG, LONG>{464, 288}));
  const std::pair<int, PixelRect> places[] = {{fwMain::kibStartId, {8, 8, 32, 32}},
                                              {fwMain::ktbStartId, {56, 8, 400, 240}},
                                              {fwMain::kbbYesId, {156, 256, 72, 24}},
                                              {fwMain::kbbNoId, {236, 256, 72, 24}}};
  for (const auto& [id, place] : places) {
    GetWindowRect(Control(id), &r);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}), place) << id;
  }
  HWND tbStart = Control(fwMain::ktbStartId);
  HWND bbYes = Control(fwMain::kbbYesId);
  EXPECT_EQ(TextOf(tbStart), ConsentText());
  EXPECT_EQ(TextOf(bbYes) + TextOf(Control(fwMain::kbbNoId)), "&Yes&No");

  // Fixed single border, close box only, centred on the screen.
  EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
  GetWindowRect(w, &r);
  EXPECT_LE(std::abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);

  // The text: read-only, no tab stop, no scroll bars, Tahoma 9.75 pt, charset 204, on the button face.
  EXPECT_EQ(GetWindowLongA(tbStart, GWL_STYLE) & (ES_MULTILINE | ES_READONLY | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL),
            ES_MULTILINE | ES_READONLY);
  const auto textFont = reinterpret_cast<HFONT>(SendMessageA(tbStart, WM_GETFONT, 0, 0));
  LOGFONTA font{};
  ASSERT_TRUE(GetObjectA(textFont, sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_EQ(std::vector<LONG>({font.lfHeight, font.lfWeight, font.lfCharSet}), std::vector<LONG>({-13, 400, 204}));
  const platform::WindowDc dc(tbStart);
  EXPECT_EQ(SendMessageA(w, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(tbStart)),
            reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));

  // Yes: default button, first in the tab order, focused.
  EXPECT_TRUE(GetWindowLongA(bbYes, GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetNextDlgTabItem(w, Control(fwMain::kbbNoId), FALSE), bbYes);
  EXPECT_EQ(GetFocus(), bbYes);
  const auto picture = reinterpret_cast<HICON>(SendMessageA(Control(fwMain::kibStartId), STM_GETICON, 0, 0));
  EXPECT_EQ(testing::ReadIcon(picture).mask.width, 32);
}

// Every way to answer, with another copy's autostart entry in place: an
// acceptance records the consent and switches autostart to this copy; a
// refusal ends the process and writes nothing.
TEST_F(FwMainTest, ConsentAnswersByMouseCloseBoxAndKeyboard) {
  enum How { Yes, No, CloseBox, Enter, EnterOnNo, Escape };
  for (How how : {Yes, No, CloseBox, Enter, EnterOnNo, Escape}) {
    SCOPED_TRACE(how);
    ForgetProgram();
    WriteHklm(kRunKey, "Corvane", "C:\\Elsewhere\\Corvane.exe");
    const Values before = Registry();
    desktop.reloads = 0;
    fwMain& window = Start();
    if (how == EnterOnNo) SetFocus(Control(fwMain::kbbNoId));
    MSG key{GetFocus(), WM_KEYDOWN, how == Escape ? WPARAM{VK_ESCAPE} : WPARAM{VK_RETURN}, 1, 0, {}};
    if (how == Yes || how == No) {
      SendMessageA(Control(how == Yes ? fwMain::kbbYesId : fwMain::kbbNoId), BM_CLICK, 0, 0);
    } else if (how == CloseBox) {
      SendMessageA(window.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      EXPECT_TRUE(window.TranslateDialogKey(key));
    }
    if (how != Yes && how != Enter) {
      ExpectEndedWithout(before);
      EXPECT_EQ(desktop.reloads, 0);
      continue;
    }
    EXPECT_EQ(Registry(), (Values{folder, "0.15", exePath, exePath, folder}));
    EXPECT_TRUE(window.mPopup().Checked(MenuCommand::Start));
    // The 100 ms timer ticks and draws the first layout it sees.
    desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04090409));
    desktop.installs.clear();
    desktop.calls.clear();
    EXPECT_FALSE(Pump(350));
    EXPECT_GE(Ticks(desktop), 2);
    ASSERT_EQ(desktop.installs.size(), 1u);
    EXPECT_EQ(desktop.installs[0].id, 32513u);
    EXPECT_FALSE(IsWindowVisible(window.hWnd())) << "the window came back";

    // The hidden button ignores a stray click.
    testing::DeleteHklm(kRunKey, "Corvane");
    SendMessageA(Control(fwMain::kbbYesId), BM_CLICK, 0, 0);
    EXPECT_EQ(desktop.reloads, 1);
    EXPECT_EQ(ReadHklmText(kRunKey, "Corvane"), std::nullopt);
    Stop();
  }
}

// A direct activation writes neither marker nor autostart: a quoted entry is
// another program's, so the mark stays cleared and the entry as it was. Quit
// comes last, with nothing ever drawn: it reloads the cursors all the same.
TEST_F(FwMainTest, DirectActivationThenEveryMenuCommand) {
  const std::string quoted = "\"" + exePath + "\"";
  WriteHklm(kRunKey, "Corvane", quoted);
  desktop.layoutCount = 1;
  fwMain& window = StartConsented();
  EXPECT_EQ(Registry(), (Values{folder, "0.15", quoted, exePath, folder}));
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));
  EXPECT_EQ(desktop.reloads, 1);
  // Menu captions as the user reads them.
  EXPECT_EQ(window.mPopup().Caption(MenuCommand::Close), "\tClose");
  wchar_t about[32] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = about;
  info.cch = 32;
  ASSERT_TRUE(GetMenuItemInfoW(window.mPopup().Handle(), static_cast<UINT>(MenuCommand::About), FALSE, &info));
  EXPECT_STREQ(about, L"Tirella\u2122");

  // Another program switched autostart on: the opening shows it.
  WriteHklm(kRunKey, "Corvane", exePath);
  menuAnswers = {MenuCommand::About, MenuCommand::Start, MenuCommand::Font,
                 MenuCommand::Close, MenuCommand::None,  MenuCommand::Exit};
  Gesture();
  EXPECT_EQ(startCheckWhenOpened, std::vector<bool>{true});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].substr(0, boxes[0].find('|')), "About " + window.Record().LegalTrademarks);
  EXPECT_NE(boxes[0].find("Version 0.15\r\n"), std::string::npos);

  Gesture();
  EXPECT_EQ(ReadHklmText(kRunKey, "Corvane"), std::nullopt);
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));

  Gesture();
  EXPECT_EQ(fontDialogOwners, std::vector<HWND>{window.hWnd()});

  const Values before = Registry();
  Gesture();
  Gesture();
  EXPECT_EQ(Registry(), before);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_NE(window.hWnd(), nullptr);

  EXPECT_FALSE(Pump(250));
  EXPECT_TRUE(desktop.installs.empty());
  Gesture();
  EXPECT_EQ(desktop.reloads, 2);
  ExpectEndedWithout(before);
}

TEST_F(FwMainTest, LabelColourAndFontComeFromTheSettingsFile) {
  WritePrivateProfileStringA("fwMain", "ForeColor", "255.5", settingsPath.c_str());
  WritePrivateProfileStringA("fwMain", "CapsLock", "1", settingsPath.c_str());
  WritePrivateProfileStringA("Font", "Name", "Arial", settingsPath.c_str());
  for (const Surface& surface : StartConsented().indicator().pbCursor) {
    EXPECT_EQ(surface.ForeColor(), 256) << "rounded half to even";
    EXPECT_EQ(surface.Font().name, "Arial");
    EXPECT_EQ(surface.Font().charset, 204) << "missing keys keep the designed font's";
  }
  desktop.calls.clear();
  main_->toLang_Timer();
  EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "KeyState"), 3) << "CapsLock=1: Caps Lock is read";
}

}  // namespace
}  // namespace corvane
