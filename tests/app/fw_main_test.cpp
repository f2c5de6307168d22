// fwMain driven in this process: the real window, controls, registry and
// settings file, with the keyboard, pointer and cursor services scripted.
#include "app/fw_main.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
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

// Registry access of the tests themselves, in the 64-bit view the program uses
// under WOW64 (on 32-bit Windows the flag is ignored).
std::optional<std::string> ReadValue(const char* key, const char* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const platform::RegKey owner(opened);
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  if (RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << key << " " << name;
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

using Snapshot = std::map<std::string, std::optional<std::string>>;

Snapshot TakeSnapshot() {
  return {{"marker", ReadValue(kAppKey, "")},
          {"version", ReadValue(kAppKey, "CurrentVersion")},
          {"run", ReadValue(kRunKey, "Corvane")},
          {"appPath", ReadValue(kAppPathsKey, "")},
          {"appPathFolder", ReadValue(kAppPathsKey, "Path")}};
}

// Delivers this thread's messages for `ms` milliseconds; true when WM_QUIT came.
bool Pump(DWORD ms) {
  bool quit = false;
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
  return quit;
}

int Count(const std::vector<std::string>& calls, const std::string& name) {
  int n = 0;
  for (const auto& call : calls) n += call == name;
  return n;
}

// A control's outer rectangle in its parent's client coordinates.
PixelRect PlaceOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string TextOf(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::string Temp(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
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
  // A program that lives in a folder of its own, which holds its settings file.
  const std::string folder = Temp("corvane-app-tests");
  const std::string modulePath = folder + "\\Corvane.exe";
  const std::string exePath = folder + "\\Corvane.exe";
  const std::string settingsPath = folder + "\\Corvane.dat";

  testing::ScriptedDesktop desktop;
  std::vector<MenuCommand> menuAnswers;  // what the next menu openings choose
  std::vector<bool> startCheckWhenOpened;
  std::vector<MSGBOXPARAMSA> boxes;  // the texts they point to are gone after the call
  std::vector<std::string> boxTexts;  // caption + "|" + text
  CancelledChooser fontDialog;

  void SetUp() override {
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(settingsPath.c_str());
    ForgetProgram();
    Pump(0);
  }

  void TearDown() override {
    main_.reset();
    Pump(0);
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
              if (menuAnswers.empty()) return MenuCommand::None;
              const MenuCommand answer = menuAnswers.front();
              menuAnswers.erase(menuAnswers.begin());
              return answer;
            },
        .messageBox =
            [this](const MSGBOXPARAMSA& params) {
              boxes.push_back(params);
              boxTexts.push_back(std::string(params.lpszCaption) + "|" + params.lpszText);
              return IDOK;
            },
        .fontChooser = fontDialog,
    };
    const std::string commandLine = "\"" + modulePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), Launch{commandLine, modulePath, previousInstance},
                                     services);
    main_->Load();
    return *main_;
  }

  void GiveConsent() { WriteValue(kAppKey, "", folder); }

  // One tick with left Shift and the middle button held: the menu opens.
  void Gesture(fwMain& window) {
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    window.toLang_Timer();
    desktop.Release(VK_LSHIFT);
    desktop.Release(VK_MBUTTON);
  }

  std::unique_ptr<fwMain> main_;
};

bool Visible(fwMain& window) { return window.hWnd() && IsWindowVisible(window.hWnd()); }

TEST_F(FwMainTest, PreviousInstanceEndsAtOnceWhateverTheArgumentsAndConsent) {
  GiveConsent();
  for (const char* arguments : {"", "/debug"}) {
    const Snapshot before = TakeSnapshot();
    fwMain& window = Start(arguments, true);
    EXPECT_EQ(window.hWnd(), nullptr) << arguments;
    EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
    EXPECT_EQ(TakeSnapshot(), before);
    EXPECT_TRUE(window.Tag().empty());
    EXPECT_EQ(desktop.reloads, 0);
  }
}

TEST_F(FwMainTest, MatchingConsentActivatesSilently) {
  GiveConsent();
  fwMain& window = Start();
  ASSERT_NE(window.hWnd(), nullptr);
  EXPECT_FALSE(IsWindowVisible(window.hWnd()));
  EXPECT_EQ(GetDlgItem(window.hWnd(), fwMain::kbbYesId), nullptr) << "no consent controls on the silent path";
  EXPECT_EQ(window.Tag(), settingsPath);

  // Direct activation writes the version and App Paths, but neither the marker nor autostart.
  const Snapshot after = TakeSnapshot();
  EXPECT_EQ(after.at("marker"), folder);
  EXPECT_EQ(after.at("version"), "0.15");
  EXPECT_EQ(after.at("run"), std::nullopt);
  EXPECT_EQ(after.at("appPath"), exePath);
  EXPECT_EQ(after.at("appPathFolder"), folder);
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));

  // Surfaces prepared with the cursors reloaded once; the timer then ticks and
  // the first layout seen is drawn.
  EXPECT_EQ(desktop.reloads, 1);
  EXPECT_EQ(window.indicator().pbCursor[0].Width(), 32);
  EXPECT_EQ(window.indicator().pbCursor[1].Height(), 32);
  desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04090409));
  EXPECT_FALSE(Pump(350));
  EXPECT_GE(Count(desktop.calls, "KeyState"), 4) << "the 100 ms timer is not running";
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_EQ(desktop.installs[0].id, 32513u);
  EXPECT_EQ(window.indicator().LastLayout(), 0x04090409u);
  EXPECT_FALSE(IsWindowVisible(window.hWnd()));
}

TEST_F(FwMainTest, ConsentWindowWhenTheMarkerIsMissingOrDiffers) {
  const std::string upper = [&] {
    std::string s = folder;
    for (auto& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
  }();
  ASSERT_NE(upper, folder);
  for (const std::optional<std::string>& marker :
       std::vector<std::optional<std::string>>{std::nullopt, upper, folder + "\\", "C:\\Old place"}) {
    ForgetProgram();
    if (marker) WriteValue(kAppKey, "", *marker);
    const Snapshot before = TakeSnapshot();
    fwMain& window = Start();
    EXPECT_TRUE(Visible(window)) << marker.value_or("(none)");
    EXPECT_EQ(TakeSnapshot(), before) << "nothing is written before Yes";
    EXPECT_TRUE(window.Tag().empty());
    EXPECT_FALSE(Pump(250));
    EXPECT_EQ(Count(desktop.calls, "KeyState"), 0) << "the timer runs before activation";
    main_.reset();
    Pump(0);
  }
}

TEST_F(FwMainTest, OnlyTheExactDebugSwitchForcesTheConsentWindow) {
  GiveConsent();
  EXPECT_TRUE(Visible(Start("/debug")));
  main_.reset();
  Pump(0);
  for (const char* arguments : {"/DEBUG", "/debug x", "x /debug", "/Debug"}) {
    EXPECT_FALSE(Visible(Start(arguments))) << arguments;
    EXPECT_EQ(main_->Tag(), settingsPath) << arguments;
    main_.reset();
    Pump(0);
  }
}

TEST_F(FwMainTest, ConsentWindowLayoutTextAndControls) {
  const platform::WindowDc screen;
  if (GetDeviceCaps(screen.get(), LOGPIXELSX) != 96 || GetDeviceCaps(screen.get(), LOGPIXELSY) != 96) {
    GTEST_SKIP() << "the pixel figures hold at 96 dpi";
  }
  fwMain& window = Start();
  HWND w = window.hWnd();
  ASSERT_TRUE(Visible(window));
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 464);
  EXPECT_EQ(client.bottom, 288);

  HWND ibStart = GetDlgItem(w, fwMain::kibStartId);
  HWND tbStart = GetDlgItem(w, fwMain::ktbStartId);
  HWND bbYes = GetDlgItem(w, fwMain::kbbYesId);
  HWND bbNo = GetDlgItem(w, fwMain::kbbNoId);
  EXPECT_EQ(PlaceOf(ibStart), (PixelRect{8, 8, 32, 32}));
  EXPECT_EQ(PlaceOf(tbStart), (PixelRect{56, 8, 400, 240}));
  EXPECT_EQ(PlaceOf(bbYes), (PixelRect{156, 256, 72, 24}));
  EXPECT_EQ(PlaceOf(bbNo), (PixelRect{236, 256, 72, 24}));

  EXPECT_EQ(TextOf(tbStart), ConsentText());
  EXPECT_EQ(TextOf(bbYes), "&Yes");
  EXPECT_EQ(TextOf(bbNo), "&No");
  wchar_t caption[32] = {};
  GetWindowTextW(w, caption, 32);
  EXPECT_STREQ(caption, L"Tirella\u2122");

  // Fixed single border, close box only, no menu bar, centred on the screen.
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetMenu(w), nullptr);
  RECT outer{};
  GetWindowRect(w, &outer);
  EXPECT_LE(std::abs(outer.left + outer.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(outer.top + outer.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);

  // The text box: read-only, multi-line, no tab stop, no scroll bars, Tahoma 9.75 pt, charset 204.
  const LONG textStyle = GetWindowLongA(tbStart, GWL_STYLE);
  EXPECT_EQ(textStyle & (ES_MULTILINE | ES_READONLY), ES_MULTILINE | ES_READONLY);
  EXPECT_EQ(textStyle & (WS_TABSTOP | WS_VSCROLL | WS_HSCROLL), 0);
  LOGFONTA font{};
  ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(tbStart, WM_GETFONT, 0, 0)), sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_EQ(font.lfCharSet, 204);
  // Its background is the button face, as the control asks its parent.
  HDC dc = GetDC(tbStart);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(w, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(tbStart)));
  EXPECT_EQ(brush, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(tbStart, dc);

  // Yes is the default button and first in the tab order, with the focus.
  EXPECT_TRUE(GetWindowLongA(bbYes, GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetNextDlgTabItem(w, bbYes, FALSE), bbNo);
  EXPECT_EQ(GetNextDlgTabItem(w, bbNo, FALSE), bbYes);
  EXPECT_EQ(GetFocus(), bbYes);
  HICON picture = reinterpret_cast<HICON>(SendMessageA(ibStart, STM_GETICON, 0, 0));
  ASSERT_NE(picture, nullptr);
  const testing::IconPlanes planes = testing::ReadIcon(picture);
  EXPECT_EQ(planes.mask.width, 32);
  EXPECT_TRUE(planes.isIcon);

  // The window's font and picture go with it.
  const auto textFont = reinterpret_cast<HFONT>(SendMessageA(tbStart, WM_GETFONT, 0, 0));
  main_.reset();
  Pump(0);
  EXPECT_EQ(GetObjectA(textFont, sizeof font, &font), 0);
  ICONINFO gone{};
  EXPECT_FALSE(GetIconInfo(picture, &gone));
}

TEST_F(FwMainTest, YesRecordsConsentSwitchesAutostartOnAndActivates) {
  // Autostart switched off by the user earlier: acceptance switches it on again.
  fwMain& window = Start("/debug");
  ASSERT_TRUE(Visible(window));
  SendMessageA(GetDlgItem(window.hWnd(), fwMain::kbbYesId), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window.hWnd()));
  ASSERT_NE(window.hWnd(), nullptr);
  const Snapshot after = TakeSnapshot();
  EXPECT_EQ(after.at("marker"), folder);
  EXPECT_EQ(after.at("run"), exePath);
  EXPECT_EQ(after.at("version"), "0.15");
  EXPECT_EQ(after.at("appPath"), exePath);
  EXPECT_EQ(after.at("appPathFolder"), folder);
  EXPECT_TRUE(window.mPopup().Checked(MenuCommand::Start));
  EXPECT_EQ(window.Tag(), settingsPath);
  EXPECT_FALSE(Pump(250));
  EXPECT_GT(Count(desktop.calls, "KeyState"), 0);
  EXPECT_FALSE(IsWindowVisible(window.hWnd())) << "the window came back";

  // Activation runs once: the hidden button ignores a stray click.
  DeleteValue(kRunKey, "Corvane");
  SendMessageA(GetDlgItem(window.hWnd(), fwMain::kbbYesId), BM_CLICK, 0, 0);
  EXPECT_EQ(desktop.reloads, 1);
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), std::nullopt);

  // The next start is silent and leaves autostart as it is.
  main_.reset();
  Pump(0);
  DeleteValue(kRunKey, "Corvane");
  EXPECT_FALSE(Visible(Start()));
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), std::nullopt);
}

TEST_F(FwMainTest, KeyboardAnswersTheConsentWindow) {
  struct Case {
    UINT message;
    WPARAM key;
    bool accepts;
  };
  for (const Case c : {Case{WM_KEYDOWN, VK_RETURN, true}, Case{WM_KEYDOWN, VK_ESCAPE, false},
                       Case{WM_SYSCHAR, 'y', true}, Case{WM_SYSCHAR, 'n', false}}) {
    ForgetProgram();
    fwMain& window = Start();
    ASSERT_TRUE(Visible(window));
    MSG key{GetFocus(), c.message, c.key, 1, 0, {}};
    EXPECT_TRUE(window.TranslateDialogKey(key)) << c.key;
    EXPECT_EQ(ReadValue(kAppKey, "").has_value(), c.accepts) << c.key;
    EXPECT_EQ(window.hWnd() != nullptr, c.accepts) << c.key;
    main_.reset();
    Pump(0);
  }
}

TEST_F(FwMainTest, NoAndTheCloseBoxEndWithoutWriting) {
  WriteValue(kRunKey, "Corvane", "C:\\Elsewhere\\Corvane.exe");
  for (bool closeBox : {false, true}) {
    const Snapshot before = TakeSnapshot();
    fwMain& window = Start();
    ASSERT_TRUE(Visible(window));
    if (closeBox) {
      SendMessageA(window.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      SendMessageA(GetDlgItem(window.hWnd(), fwMain::kbbNoId), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(window.hWnd(), nullptr);
    EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
    EXPECT_EQ(TakeSnapshot(), before);
    EXPECT_EQ(desktop.reloads, 0);
    // The next start asks again.
    EXPECT_TRUE(Visible(Start()));
    main_.reset();
    Pump(0);
  }
}

TEST_F(FwMainTest, StartCheckMirrorsOnlyTheExactAutostartValue) {
  GiveConsent();
  for (const std::string& value :
       std::vector<std::string>{"\"" + exePath + "\"", exePath + " /debug", "C:\\Other copy\\Corvane.exe"}) {
    WriteValue(kRunKey, "Corvane", value);
    EXPECT_FALSE(Start().mPopup().Checked(MenuCommand::Start)) << value;
    EXPECT_EQ(ReadValue(kRunKey, "Corvane"), value) << "direct activation rewrote autostart";
    main_.reset();
    Pump(0);
  }
  std::string otherCase = exePath;
  otherCase.back() = 'E';
  WriteValue(kRunKey, "Corvane", otherCase);
  EXPECT_FALSE(Start().mPopup().Checked(MenuCommand::Start));
  main_.reset();
  Pump(0);
  WriteValue(kRunKey, "Corvane", exePath);
  EXPECT_TRUE(Start().mPopup().Checked(MenuCommand::Start));
}

TEST_F(FwMainTest, ActivationSetsTheMenuCaptions) {
  GiveConsent();
  fwMain& window = Start();
  EXPECT_EQ(window.mPopup().Caption(MenuCommand::Close), "\tClose");
  EXPECT_EQ(window.mPopup().Caption(MenuCommand::About), window.Record().LegalTrademarks);
  wchar_t about[32] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = about;
  info.cch = 32;
  ASSERT_TRUE(GetMenuItemInfoW(window.mPopup().Handle(), static_cast<UINT>(MenuCommand::About), FALSE, &info));
  EXPECT_STREQ(about, L"Tirella\u2122");
  EXPECT_EQ(window.mPopup().Caption(MenuCommand::Font), "Set &Font && Color...");
  EXPECT_EQ(GetMenuDefaultItem(window.mPopup().Handle(), FALSE, 0), static_cast<UINT>(MenuCommand::About));
}

TEST_F(FwMainTest, MenuCommandsReachTheirHandlers) {
  GiveConsent();
  fwMain& window = Start();
  ASSERT_FALSE(window.mPopup().Checked(MenuCommand::Start));

  // Another program set autostart: the opening shows it.
  WriteValue(kRunKey, "Corvane", exePath);
  menuAnswers = {MenuCommand::About};
  Gesture(window);
  ASSERT_EQ(startCheckWhenOpened.size(), 1u);
  EXPECT_TRUE(startCheckWhenOpened[0]);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].hwndOwner, window.hWnd());
  EXPECT_EQ(boxTexts[0].substr(0, boxTexts[0].find('|')), "About " + window.Record().LegalTrademarks);
  EXPECT_NE(boxTexts[0].find("Version 0.15\r\n"), std::string::npos);

  // Start with Windows switches it off, and on again.
  menuAnswers = {MenuCommand::Start};
  Gesture(window);
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), std::nullopt);
  EXPECT_FALSE(window.mPopup().Checked(MenuCommand::Start));
  menuAnswers = {MenuCommand::Start};
  Gesture(window);
  EXPECT_EQ(ReadValue(kRunKey, "Corvane"), exePath);

  // The font item opens the dialog over the main window.
  menuAnswers = {MenuCommand::Font};
  Gesture(window);
  ASSERT_EQ(fontDialog.owners.size(), 1u);
  EXPECT_EQ(fontDialog.owners[0], window.hWnd());

  // Close and a dismissed menu run nothing.
  const Snapshot before = TakeSnapshot();
  menuAnswers = {MenuCommand::Close, MenuCommand::None};
  Gesture(window);
  Gesture(window);
  EXPECT_EQ(TakeSnapshot(), before);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_NE(window.hWnd(), nullptr);
}

TEST_F(FwMainTest, QuitBeforeAnyRenderReloadsTheCursorsAndEnds) {
  GiveConsent();
  desktop.layoutCount = 1;
  fwMain& window = Start();
  EXPECT_FALSE(Pump(250));
  ASSERT_EQ(desktop.reloads, 1);
  EXPECT_TRUE(desktop.installs.empty());
  const Snapshot before = TakeSnapshot();

  menuAnswers = {MenuCommand::Exit};
  Gesture(window);
  EXPECT_EQ(desktop.reloads, 2);
  EXPECT_EQ(window.hWnd(), nullptr);
  EXPECT_TRUE(Pump(0)) << "no WM_QUIT: the process would not end";
  EXPECT_EQ(TakeSnapshot(), before);
  // No tick after the window is gone.
  const size_t calls = desktop.calls.size();
  EXPECT_FALSE(Pump(250));
  EXPECT_EQ(desktop.calls.size(), calls);
}

TEST_F(FwMainTest, CloseFromOutsideAfterActivationLeavesTheCursor) {
  GiveConsent();
  fwMain& window = Start();
  desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04190419));
  Pump(250);
  ASSERT_EQ(desktop.installs.size(), 1u);
  const Snapshot before = TakeSnapshot();
  PostMessageA(window.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump(100));
  EXPECT_EQ(window.hWnd(), nullptr);
  EXPECT_EQ(desktop.reloads, 1) << "only activation reloads the cursors";
  EXPECT_EQ(TakeSnapshot(), before);
}

TEST_F(FwMainTest, LabelColourAndFontComeFromTheSettingsFile) {
  GiveConsent();
  WritePrivateProfileStringA("fwMain", "ForeColor", "255.5", settingsPath.c_str());
  WritePrivateProfileStringA("Font", "Name", "Arial", settingsPath.c_str());
  WritePrivateProfileStringA("Font", "Size", "9", settingsPath.c_str());
  fwMain& window = Start();
  for (const Surface& surface : window.indicator().pbCursor) {
    EXPECT_EQ(surface.ForeColor(), 256) << "rounded half to even";
    EXPECT_EQ(surface.Font().name, "Arial");
    EXPECT_EQ(surface.Font().size, Fixed::Whole(9));
    EXPECT_EQ(surface.Font().charset, 204) << "missing keys keep the designed font's";
  }
  main_.reset();
  Pump(0);

  // A colour beyond 32 bits cannot be a colour value: the designed one stays.
  WritePrivateProfileStringA("fwMain", "ForeColor", "4294967296", settingsPath.c_str());
  EXPECT_EQ(Start().indicator().pbCursor[1].ForeColor(), static_cast<std::int32_t>(0x80000008u));
  main_.reset();
  Pump(0);
  WritePrivateProfileStringA("fwMain", "ForeColor", "-2147483640", settingsPath.c_str());
  EXPECT_EQ(Start().indicator().pbCursor[1].ForeColor(), static_cast<std::int32_t>(0x80000008u));
}

TEST_F(FwMainTest, ActivationAndQuitFreeTheirDrawingObjects) {
  GiveConsent();
  // No layout drawn: the scripted desktop would keep the last installed cursor alive.
  desktop.layoutCount = 1;
  // Once first, for what the system keeps after the first use (font mapper, stock cursor).
  Start();
  main_.reset();
  Pump(0);
  const auto slots = testing::NextGdiSlots(200);
  for (int i = 0; i < 3; ++i) {
    fwMain& window = Start();
    Pump(150);
    menuAnswers = {MenuCommand::Exit};
    Gesture(window);
    main_.reset();
    Pump(0);
  }
  EXPECT_EQ(testing::NextGdiSlots(200), slots);
}

}  // namespace
}  // namespace corvane
