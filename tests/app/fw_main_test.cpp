// fwMain driven in this process: the real window, controls, registry and
// settings file, with the keyboard, pointer and cursor services scripted.
#include "app/fw_main.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/consent.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

constexpr char kAppKey[] = "SOFTWARE\\Halvorn\\Corvane";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Corvane.exe";

// The tests' own registry access, in the 64-bit view the program uses under
// WOW64 (on 32-bit Windows the flag is ignored).
std::optional<std::string> ReadValue(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const platform::RegKey owner(opened);
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data);
}

void WriteValue(const char* key, const char* name, const std::string& text) {
  HKEY opened = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                            &opened, nullptr),
            ERROR_SUCCESS);
  const platform::RegKey owner(opened);
  RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

void DeleteValue(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) return;
  const platform::RegKey owner(opened);
  RegDeleteValueA(opened, name);
}

// Everything the program may leave in the registry, in both views.
void ForgetProgram() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppKey, view, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn", view, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, view, 0);
  }
  DeleteValue(kRunKey, "Corvane");
}

// The five values the program writes: marker, version, autostart, App Paths and its folder.
using Values = std::vector<std::optional<std::string>>;
Values Registry() {
  return {ReadValue(kAppKey, nullptr), ReadValue(kAppKey, "CurrentVersion"), ReadValue(kRunKey, "Corvane"),
          ReadValue(kAppPathsKey, nullptr), ReadValue(kAppPathsKey, "Path")};
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
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

// A font dialog the user always cancels.
class CancelledChooser final : public FontChooser {
 public:
  std::vector<HWND> owners;
  bool ShowFont(CommonDialog&, HWND owner) override {
    owners.push_back(owner);
    return false;
  }
};

class FwMainTest : public ::testing::Test {
 protected:
  // A program in a folder of its own, which holds its settings file.
  const std::string folder = [] {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "corvane-app-tests";
  }();
  const std::string exePath = folder + "\\Corvane.exe";
  const std::string settingsPath = folder + "\\Corvane.dat";

  testing::ScriptedDesktop desktop;
  std::vector<MenuCommand> menuAnswers;  // what the next openings choose
  std::vector<bool> startCheckWhenOpened;
  std::vector<std::string> boxes;  // caption + "|" + text of each message box
  CancelledChooser fontDialog;
  std::unique_ptr<fwMain> main_;

  void SetUp() override {
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(settingsPath.c_str());
    ForgetProgram();
  }

  void TearDown() override {
    Stop();
    ForgetProgram();
    DeleteFileA(settingsPath.c_str());
    RemoveDirectoryA(folder.c_str());
  }

  fwMain& Start(const std::string& arguments = "", bool previousInstance = false) {
    Services services{
        .desktop = desktop,
        .trackMenu =
            [this](ControlMenu& menu, HWND, POINT, const std::function<void()>& opening) {
              opening();
              startCheckWhenOpened.push_back(menu.Checked(MenuCommand::Start));
              const MenuCommand answer = menuAnswers.empty() ? MenuCommand::None : menuAnswers.front();
              if (!menuAnswers.empty()) menuAnswers.erase(menuAnswers.begin());
              return answer;
            },
        .messageBox =
            [this](const MSGBOXPARAMSA& params) {
              boxes.push_back(std::string(params.lpszCaption) + "|" + params.lpszText);
              return IDOK;
            },
        .fontChooser = fontDialog,
    };
    const std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), Launch{commandLine, exePath, previousInstance},
                                     services);
    main_->Load();
    return *main_;
  }

  // Ends the window (if any) and swallows its WM_QUIT.
  void Stop() {
    main_.reset();
    Pump(0);
  }

  bool Shown() const { return main_->hWnd() && IsWindowVisible(main_->hWnd()); }
  HWND Control(int id) const { return GetDlgItem(main_->hWnd(), id); }

  // One tick with left Shift and the middle button held: the menu opens.
  void Gesture() {
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    main_->toLang_Timer();
    desktop.Release(VK_LSHIFT);
    desktop.Release(VK_MBUTTON);
  }
};

TEST_F(FwMainTest, StartUpEndsActivatesSilentlyOrAsks) {
  enum Outcome { Ended, Silent, Asks };
  std::string upperFolder = folder;
  for (auto& c : upperFolder) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const struct {
    bool previousInstance;
    std::optional<std::string> marker;
    std::string arguments;
    Outcome outcome;
  } cases[] = {
      {true, folder, "", Ended},           {true, folder, "/debug", Ended},     {false, folder, "", Silent},
      {false, folder, "/DEBUG", Silent},   {false, folder, "/debug x", Silent}, {false, folder, "/debug", Asks},
      {false, std::nullopt, "", Asks},     {false, upperFolder, "", Asks},      {false, folder + "\\", "", Asks},
      {false, "C:\\Old place", "", Asks},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.value_or("(no marker)") + " [" + c.arguments + "]" + (c.previousInstance ? " second" : ""));
    ForgetProgram();
    if (c.marker) WriteValue(kAppKey, "", *c.marker);
    const Values before = Registry();
    fwMain& window = Start(c.arguments, c.previousInstance);
    switch (c.outcome) {
      case Ended:
        EXPECT_EQ(window.hWnd(), nullptr);
        EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
        EXPECT_EQ(Registry(), before);
        break;
      case Silent:
        EXPECT_FALSE(Shown());
        EXPECT_EQ(window.Tag(), settingsPath);
        EXPECT_EQ(Control(fwMain::kbbYesId), nullptr) << "no consent controls on the silent path";
        break;
      case Asks:
        EXPECT_TRUE(Shown());
        EXPECT_EQ(Registry(), before) << "nothing is written before Yes";
        EXPECT_TRUE(window.Tag().empty());
        EXPECT_FALSE(Pump(250));
        EXPECT_EQ(Ticks(desktop), 0) << "the timer runs before activation";
        break;
    }
    EXPECT_EQ(desktop.reloads, c.outcome == Silent ? 1 : 0);
    desktop.reloads = 0;
    Stop();
  }
}

TEST_F(FwMainTest, DirectActivationWritesNeitherMarkerNorAutostartAndStartsTheTimer) {
  WriteValue(kAppKey, "", folder);
  fwMain& window = Start();
  EXPECT_EQ(Registry(), (Values{folder, "0.15", std::nullopt, exePath, folder}));
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));

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

  // Surfaces prepared with the cursors reloaded once; then the 100 ms timer
  // ticks and draws the first layout it sees.
  EXPECT_EQ(desktop.reloads, 1);
  EXPECT_EQ(window.indicator().pbCursor[1].Width(), 32);
  desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04090409));
  EXPECT_FALSE(Pump(350));
  EXPECT_GE(Ticks(desktop), 2);
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_EQ(desktop.installs[0].id, 32513u);
  EXPECT_FALSE(IsWindowVisible(window.hWnd()));
}

TEST_F(FwMainTest, StartCheckMirrorsOnlyTheExactAutostartValue) {
  WriteValue(kAppKey, "", folder);
  std::string otherCase = exePath;
  otherCase.back() = 'E';
  for (const std::string& value : {"\"" + exePath + "\"", exePath + " /debug", std::string("C:\\Other\\Corvane.exe"),
                                   otherCase, exePath}) {
    WriteValue(kRunKey, "Corvane", value);
    EXPECT_EQ(Start().mPopup().Checked(MenuCommand::Start), value == exePath) << value;
    EXPECT_EQ(ReadValue(kRunKey, "Corvane"), value) << "direct activation rewrote autostart";
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
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 464);
  EXPECT_EQ(client.bottom, 288);
  const auto place = [](HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  HWND tbStart = Control(fwMain::ktbStartId);
  HWND bbYes = Control(fwMain::kbbYesId);
  EXPECT_EQ(place(Control(fwMain::kibStartId)), (PixelRect{8, 8, 32, 32}));
  EXPECT_EQ(place(tbStart), (PixelRect{56, 8, 400, 240}));
  EXPECT_EQ(place(bbYes), (PixelRect{156, 256, 72, 24}));
  EXPECT_EQ(place(Control(fwMain::kbbNoId)), (PixelRect{236, 256, 72, 24}));

  EXPECT_EQ(TextOf(tbStart), ConsentText());
  EXPECT_EQ(TextOf(bbYes) + TextOf(Control(fwMain::kbbNoId)), "&Yes&No");
  wchar_t caption[32] = {};
  GetWindowTextW(w, caption, 32);
  EXPECT_STREQ(caption, L"Tirella\u2122");

  // Fixed single border, close box only, no menu bar, centred on the screen.
  EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(GetMenu(w), nullptr);
  RECT outer{};
  GetWindowRect(w, &outer);
  EXPECT_LE(std::abs(outer.left + outer.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(outer.top + outer.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);

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

  // The font and the picture go with the window.
  const auto picture = reinterpret_cast<HICON>(SendMessageA(Control(fwMain::kibStartId), STM_GETICON, 0, 0));
  EXPECT_EQ(testing::ReadIcon(picture).mask.width, 32);
  Stop();
  EXPECT_EQ(GetObjectA(textFont, sizeof font, &font), 0);
  ICONINFO gone{};
  EXPECT_FALSE(GetIconInfo(picture, &gone));
}

TEST_F(FwMainTest, YesRecordsConsentSwitchesAutostartOnAndActivatesOnce) {
  // Reached through "/debug" after the user had switched autostart off.
  WriteValue(kAppKey, "", "C:\\Old place");
  fwMain& window = Start("/debug");
  SendMessageA(Control(fwMain::kbbYesId), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window.hWnd()));
  EXPECT_EQ(Registry(), (Values{folder, "0.15", exePath, exePath, folder}));
  EXPECT_TRUE(window.mPopup().Checked(MenuCommand::Start));
  EXPECT_EQ(window.Tag(), settingsPath);
  EXPECT_FALSE(Pump(250));
  EXPECT_GT(Ticks(desktop), 0);
  EXPECT_FALSE(IsWindowVisible(window.hWnd())) << "the window came back";

  // The hidden button ignores a stray click.
  DeleteValue(kRunKey, "Corvane");
  SendMessageA(Control(fwMain::kbbYesId), BM_CLICK, 0, 0);
  EXPECT_EQ(desktop.reloads, 1);
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), std::nullopt);
}

TEST_F(FwMainTest, KeyboardAnswersTheConsentWindow) {
  const struct {
    UINT message;
    WPARAM key;
    bool onNo;  // the focus moved to No first
    bool accepts;
  } cases[] = {{WM_KEYDOWN, VK_RETURN, false, true}, {WM_KEYDOWN, VK_RETURN, true, false},
               {WM_KEYDOWN, VK_ESCAPE, false, false}, {WM_SYSCHAR, 'y', true, true},
               {WM_SYSCHAR, 'n', false, false}};
  for (const auto& c : cases) {
    ForgetProgram();
    fwMain& window = Start();
    if (c.onNo) SetFocus(Control(fwMain::kbbNoId));
    MSG key{GetFocus(), c.message, c.key, 1, 0, {}};
    EXPECT_TRUE(window.TranslateDialogKey(key)) << c.key;
    EXPECT_EQ(ReadValue(kAppKey, nullptr).has_value(), c.accepts) << c.key;
    EXPECT_EQ(window.hWnd() != nullptr, c.accepts) << c.key;
    Stop();
  }
}

TEST_F(FwMainTest, NoAndTheCloseBoxEndWithoutWriting) {
  WriteValue(kRunKey, "Corvane", "C:\\Elsewhere\\Corvane.exe");
  const Values before = Registry();
  for (bool closeBox : {false, true}) {
    fwMain& window = Start();
    if (closeBox) {
      SendMessageA(window.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      SendMessageA(Control(fwMain::kbbNoId), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(window.hWnd(), nullptr);
    EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
    EXPECT_EQ(Registry(), before);
    EXPECT_EQ(desktop.reloads, 0);
  }
}

TEST_F(FwMainTest, MenuCommandsReachTheirHandlers) {
  WriteValue(kAppKey, "", folder);
  fwMain& window = Start();
  // Another program switched autostart on: the opening shows it.
  WriteValue(kRunKey, "Corvane", exePath);
  menuAnswers = {MenuCommand::About, MenuCommand::Start, MenuCommand::Font, MenuCommand::Close, MenuCommand::None};
  Gesture();
  EXPECT_EQ(startCheckWhenOpened, std::vector<bool>{true});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].substr(0, boxes[0].find('|')), "About " + window.Record().LegalTrademarks);
  EXPECT_NE(boxes[0].find("Version 0.15\r\n"), std::string::npos);

  Gesture();
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), std::nullopt);
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));

  Gesture();
  EXPECT_EQ(fontDialog.owners, std::vector<HWND>{window.hWnd()});

  const Values before = Registry();
  Gesture();
  Gesture();
  EXPECT_EQ(Registry(), before);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_NE(window.hWnd(), nullptr);
}

TEST_F(FwMainTest, QuitBeforeAnyRenderReloadsTheCursorsAndEnds) {
  WriteValue(kAppKey, "", folder);
  desktop.layoutCount = 1;
  fwMain& window = Start();
  EXPECT_FALSE(Pump(250));
  EXPECT_TRUE(desktop.installs.empty());
  const Values before = Registry();
  menuAnswers = {MenuCommand::Exit};
  Gesture();
  EXPECT_EQ(desktop.reloads, 2);
  EXPECT_EQ(window.hWnd(), nullptr);
  EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
  EXPECT_EQ(Registry(), before);
  const int ticks = Ticks(desktop);
  EXPECT_FALSE(Pump(250));
  EXPECT_EQ(Ticks(desktop), ticks);
}

TEST_F(FwMainTest, CloseFromOutsideAfterActivationLeavesTheCursor) {
  WriteValue(kAppKey, "", folder);
  fwMain& window = Start();
  desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04190419));
  Pump(250);
  ASSERT_EQ(desktop.installs.size(), 1u);
  PostMessageA(window.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump(100));
  EXPECT_EQ(window.hWnd(), nullptr);
  EXPECT_EQ(desktop.reloads, 1) << "only activation reloads the cursors";
}

TEST_F(FwMainTest, LabelColourAndFontComeFromTheSettingsFile) {
  WriteValue(kAppKey, "", folder);
  WritePrivateProfileStringA("fwMain", "ForeColor", "255.5", settingsPath.c_str());
  WritePrivateProfileStringA("Font", "Name", "Arial", settingsPath.c_str());
  for (const Surface& surface : Start().indicator().pbCursor) {
    EXPECT_EQ(surface.ForeColor(), 256) << "rounded half to even";
    EXPECT_EQ(surface.Font().name, "Arial");
    EXPECT_EQ(surface.Font().charset, 204) << "missing keys keep the designed font's";
  }
  Stop();
  // A number beyond 32 bits is no colour value: the designed one stays.
  WritePrivateProfileStringA("fwMain", "ForeColor", "4294967296", settingsPath.c_str());
  EXPECT_EQ(Start().indicator().pbCursor[1].ForeColor(), static_cast<std::int32_t>(0x80000008u));
}

}  // namespace
}  // namespace corvane
