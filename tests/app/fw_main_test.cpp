// fwMain driven in this process: the real window, controls, registry and
// settings file, with the keyboard, pointer, cursor, menu and font dialog
// scripted. The program lives in a folder whose name holds ANSI letters
// beyond ASCII, which every path and registry value must keep.
#include "app/fw_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>

#include "support/chooser.h"
#include "support/files.h"
#include "platform/dpi.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/registry.h"
#include "support/scripted_desktop.h"

namespace corvane {

using testing::ForgetProgram, testing::ReadHklmText, testing::WriteHklm, testing::kAppKey, testing::kRunKey;

std::string Ansi(const wchar_t* text) {
  char buffer[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

// The five values the program writes: marker, version, autostart, App Paths and its folder.
std::string Registry() {
  std::string values;
  for (auto [key, name] : {std::pair{kAppKey, ""}, {kAppKey, "CurrentVersion"}, {kRunKey, "Corvane"},
                           {testing::kAppPathsKey, ""}, {testing::kAppPathsKey, "Path"}})
    values += ReadHklmText(key, name).value_or("-") + "|";
  return values;
}

// Stand-ins for the crash handlers in place before activation (the run-time's,
// the system's crash reporting): they must still see the crash, after the
// cursors came back.
const testing::ScriptedDesktop* crashing = nullptr;
void HandedOn() {
  std::fprintf(stderr, "handed on after %d reloads, the last: %s\n", crashing->reloads, crashing->calls.back().c_str());
  std::fflush(stderr);
}
LONG WINAPI FilterBefore(EXCEPTION_POINTERS*) {
  HandedOn();
  return EXCEPTION_CONTINUE_SEARCH;
}
[[noreturn]] void TerminateBefore() {
  HandedOn();
  std::abort();
}

// Delivers this thread's messages for `ms` milliseconds; true when WM_QUIT came.
bool Pump(DWORD ms) {
  MSG message{};
  for (const DWORD start = GetTickCount(); GetTickCount() - start <= ms; Sleep(5)) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return true;
      DispatchMessageA(&message);
    }
  }
  return false;
}

// While the real control menu is open, each timer tick runs the next step; a
// menu still open when they are used up is logged and closed.
const ControlMenu* openMenu = nullptr;
std::vector<std::function<void()>> menuSteps;
std::string menuLog;
void CALLBACK NextMenuStep(HWND, UINT, UINT_PTR, DWORD) {
  if (!openMenu->IsOpen()) return;
  if (menuSteps.empty()) menuSteps.push_back([] { menuLog += "still open "; EndMenu(); });
  menuSteps.front()();
  menuSteps.erase(menuSteps.begin());
}

struct FwMainTest : ::testing::Test {
  void SetUp() override { ForgetProgram(); }
  void TearDown() override {
    main_.reset();
    Pump(0);
    ForgetProgram();
  }

  // With `consented`, the start follows an earlier Yes in this folder.
  fwMain& Start(const std::string& arguments = "", bool previousInstance = false, bool consented = false) {
    if (consented) WriteHklm(kAppKey, "", folder.path);
    const auto track = [this](ControlMenu& menu, HWND owner, POINT at, const std::function<void()>& opening) {
      if (realMenu) return menu.Track(owner, at, opening);
      opening();
      startChecks.push_back(menu.Checked(MenuCommand::Start));
      return answer;
    };
    const auto box = [this](const MSGBOXPARAMSA& params) {
      boxes.push_back(std::string(params.lpszCaption) + "|" + params.lpszText);
      EXPECT_TRUE(params.lpszIcon == MAKEINTRESOURCEA(1) && (params.dwStyle & MB_USERICON)) << "the program's icon";
      whileBoxShown();
      return IDOK;
    };
    const Services services{.desktop = desktop, .trackMenu = track, .messageBox = box, .fontChooser = chooser};
    main_.reset();
    const Launch launch{"\"" + exePath + "\" " + arguments, exePath, previousInstance};
    main_ = std::make_unique<fwMain>(GetModuleHandleA(nullptr), launch, services);
    main_->Load();
    return *main_;
  }

  HWND Control(int id) const { return GetDlgItem(main_->hWnd(), id); }
  static std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

  const testing::TempFolder folder{"corvane-app-\xC4\xD6\xE9"};
  const std::string exePath = folder.File("Corvane.exe");
  testing::ScriptedDesktop desktop;
  testing::ScriptedChooser chooser;
  MenuCommand answer = MenuCommand::None;  // what the control menu chooses
  bool realMenu = false;                   // the real popup instead
  std::vector<bool> startChecks;           // the Start item's mark at each opening
  std::vector<std::string> boxes;          // caption + "|" + text of each message box
  std::function<void()> whileBoxShown = [] {};
  std::unique_ptr<fwMain> main_;
};

// Another copy's autostart entry is in place: an acceptance records the
// consent and switches autostart to this copy; every other way ends the
// process having written nothing, and so does a second instance.
TEST_F(FwMainTest, StartUpEndsActivatesSilentlyOrAsksAndActsOnTheAnswer) {
  enum Answer { None, Yes, Enter, No, Escape, CloseBox, EnterOnNo };
  std::string upperFolder = folder.path;
  CharUpperA(upperFolder.data());
  const std::string paths = "|" + exePath + "|" + folder.path + "|";
  const std::string elsewhere = "C:\\Elsewhere\\Corvane.exe";
  const struct { bool second; std::optional<std::string> marker; const char* arguments; Answer answer; } cases[] = {
      {true, folder.path, "", None},          {true, folder.path, "/debug", None}, {false, folder.path, "", None},
      {false, folder.path, "/debug x", None}, {false, folder.path, "/debug", Yes}, {false, {}, "", Enter},
      {false, upperFolder, "", No},           {false, folder.path + "\\", "", Escape},
      {false, "C:\\Elsewhere", "", CloseBox}, {false, {}, "", EnterOnNo}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.value_or("(no marker)") + " [" + c.arguments + "] " + std::to_string(c.answer));
    ForgetProgram();
    WriteHklm(kRunKey, "Corvane", elsewhere);
    if (c.marker) WriteHklm(kAppKey, "", *c.marker);
    const std::string before = Registry();
    desktop.reloads = 0;
    desktop.installs.clear();
    fwMain& window = Start(c.arguments, c.second);
    const bool silent = !c.second && c.answer == None, accepts = c.answer == Yes || c.answer == Enter;
    EXPECT_EQ(window.hWnd() && IsWindowVisible(window.hWnd()), c.answer != None);
    EXPECT_FALSE(c.answer != None && Pump(250));
    EXPECT_EQ(Registry(), silent ? folder.path + "|0.15|" + elsewhere + paths : before) << "written before Yes";
    if (c.answer == EnterOnNo) SetFocus(Control(IDCANCEL));
    MSG key{GetFocus(), WM_KEYDOWN, c.answer == Escape ? WPARAM{VK_ESCAPE} : WPARAM{VK_RETURN}, 1, 0, {}};
    if (c.answer == Yes || c.answer == No) SendMessageA(Control(c.answer == Yes ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    if (c.answer == Enter || c.answer == Escape || c.answer == EnterOnNo) window.TranslateDialogKey(key);
    if (c.answer == CloseBox) SendMessageA(window.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    if (accepts) {
      EXPECT_EQ(Registry(), folder.path + "|0.15|" + exePath + paths);
      EXPECT_TRUE(window.mPopup().Checked(MenuCommand::Start));
    }
    if (silent || accepts) {
      // The timer ticks and draws the first layout it sees, the window hidden, through a called-off end of the
      // session; a close request from outside, or the session's end, puts the cursors back.
      desktop.PointAt({10, 20}, window.hWnd(), 7, reinterpret_cast<HKL>(0x04090409));
      SendMessageA(window.hWnd(), WM_ENDSESSION, FALSE, 0);
      EXPECT_FALSE(Pump(350) || desktop.installs.empty() || IsWindowVisible(window.hWnd()));
      SendMessageA(window.hWnd(), accepts ? WM_ENDSESSION : WM_CLOSE, TRUE, 0);
    }
    EXPECT_EQ(std::tuple(window.hWnd(), Pump(0), desktop.reloads), std::tuple(HWND{}, true, silent || accepts ? 2 : 0));
    EXPECT_EQ(Registry() == before, !silent && !accepts);
  }
}

// The consent window's texts; at the screen's DPI (96 here, 144 and 192 in the
// run at other scales) the window grows in proportion, and the last line of
// the text lies inside its box.
TEST_F(FwMainTest, TheConsentWindowsTextsAndSizeAtTheScreenDpi) {
  HWND window = Start().hWnd(), text = Control(ConsentControls::ktbStartId);
  EXPECT_EQ(TextOf(window) + "|" + TextOf(Control(IDOK)) + "|" + TextOf(Control(IDCANCEL)),
            Ansi(L"Tirella\u2122|&Yes|&No"));
  EXPECT_EQ(TextOf(text),
            "        This application displays the current language indicator next to the system cursor for the text "
            "areas. Application control can be invoked by middle-clicking while holding down the left Shift key.\r\n"
            "\r\n        Some antivirus programs may think this application contains a virus because it writes "
            "information to the system registry. However, this information is quite harmless, it concerns the "
            "automatic launch of the application along with Windows. Moreover, the user can cancel this option at any "
            "time through the application interface.\r\n\r\n        If you want to continue using the application, "
            "click Yes, and if you then receive a warning from the antivirus program, create an exception for this "
            "application.");
  const int dpi = platform::ScreenDpi().y;
  RECT client{}, box{};
  GetClientRect(window, &client);
  GetClientRect(text, &box);
  EXPECT_EQ(std::tuple(client.right, client.bottom), std::tuple(MulDiv(464, dpi, 96), MulDiv(288, dpi, 96)));
  const auto top = [text](LRESULT at) { return static_cast<LONG>(HIWORD(SendMessageA(text, EM_POSFROMCHAR, at, 0))); };
  const LONG line = top(SendMessageA(text, EM_LINEINDEX, 1, 0)) - top(0);
  // The 9.75 pt text grows with the DPI: a line is at least that many pixels high.
  EXPECT_GE(line, MulDiv(975, dpi, 7200));
  EXPECT_LE(top(GetWindowTextLengthA(text) - 1) + line, box.bottom) << "the text is cut off";
}

// A direct activation, then the commands of the menu, one at a time: the
// gesture held again while the About box is up opens nothing. At each opening
// the Start item shows whether the autostart value is this executable's plain
// path. Quit comes last, with nothing ever drawn, and reloads the cursors all the same.
TEST_F(FwMainTest, DirectActivationThenEveryMenuCommand) {
  WriteHklm(kRunKey, "Corvane", exePath);
  WriteHklm(kRunKey, "Corvane", "another view", KEY_WOW64_32KEY);
  chooser.ok = false;
  desktop.layoutCount = 1;
  fwMain& window = Start("", false, true);
  std::string items;  // the menu as the user reads it: captions, separators, the default item, check marks
  for (UINT i = 0; i < 8; ++i) {
    char text[64] = {};
    MENUITEMINFOA item{sizeof item, MIIM_FTYPE | MIIM_STATE | MIIM_STRING, 0, 0, 0, {}, {}, {}, 0, text, 64, {}};
    if (!GetMenuItemInfoA(window.mPopup().Handle(), i, TRUE, &item)) break;
    items += std::string(item.fType & MFT_SEPARATOR ? "-" : text) + (item.fState & MFS_DEFAULT ? "*" : "") +
             (item.fState & MFS_CHECKED ? "v" : "") + "|";
  }
  EXPECT_EQ(items, Ansi(L"\tClose|Tirella\u2122*|-|Set &Font && Color...|Start with &Windowsv|-|&Quit|"));

  const std::string quoted = "\"" + exePath + "\"", other = "C:\\Elsewhere\\Corvane.exe";
  // Any program may store a long number there (64 KiB): read at once as no path.
  const struct { std::string run; MenuCommand answer; std::string runAfter; DWORD type = REG_SZ; } openings[] = {
      {quoted, MenuCommand::About, quoted}, {exePath, MenuCommand::Start, "-"}, {other, MenuCommand::Font, other},
      {exePath + " /x", MenuCommand::Start, exePath}, {exePath, MenuCommand::Close, exePath},
      {std::string(1 << 16, '\xFF'), MenuCommand::Close, "-", REG_DWORD}};
  desktop.Press(VK_LSHIFT);
  desktop.Press(VK_MBUTTON);
  whileBoxShown = [&] { answer = MenuCommand::Exit; window.toLang_Timer(); };
  for (const auto& opening : openings) {
    WriteHklm(kRunKey, "Corvane", opening.run, KEY_WOW64_64KEY, opening.type);
    answer = opening.answer;
    window.toLang_Timer();
    EXPECT_EQ(ReadHklmText(kRunKey, "Corvane").value_or("-"), opening.runAfter);
  }
  EXPECT_EQ(startChecks, (std::vector<bool>{false, true, false, false, true, false}));
  EXPECT_EQ(ReadHklmText(kRunKey, "Corvane", KEY_WOW64_32KEY), "another view");
  EXPECT_EQ(boxes, std::vector<std::string>{Ansi(
                       L"About Tirella\u2122|Shows the input language of the window under the pointer on the text "
                       L"cursor\r\nVersion 0.15\r\n(Shows the language bar near the system cursor.)\r\n"
                       L"                                                            \r\nCopyright \u00A9 2026 "
                       L"Halvorn. All rights reserved.\r\nhttps://halvorn.example/corvane\r\n"
                       L"corvane@halvorn.example\r\n")});
  // The font dialog over the program's window, with screen and printer fonts, effects and existing names only.
  EXPECT_EQ(std::pair(chooser.owners.at(0), chooser.shown.at(0).Flags), std::pair(window.hWnd(), 0x10103u));
  EXPECT_TRUE(desktop.installs.empty()) << "drawn after the font dialog was cancelled";
  const std::string before = Registry();
  answer = MenuCommand::Exit;
  window.toLang_Timer();
  EXPECT_EQ(std::tuple(window.hWnd(), desktop.reloads, Pump(0), Registry()), std::tuple(HWND{}, 2, true, before));
}

// A gesture with a click too short for the ticks, seen in raw input, opens the
// real menu, which the program closes itself, as Windows does not for a
// background owner: on a press outside it, not on a press on it. While it is
// open its keys are the program's hot keys, with and without Shift (one that
// another program holds stays that program's), given back however it closes:
// Escape, Down Down Enter (About), the F key (Font). The program never keeps
// the foreground: a command's window takes it, where Windows allows, and the
// user's window gets it back. Raw input is watched only while the left Shift
// key is down or the menu is open, and only the mouse.
TEST_F(FwMainTest, AQuickGestureOpensTheMenuWhoseKeysAreTakenWhileItIsOpen) {
  realMenu = true;
  fwMain& window = Start("", false, true);
  const POINT at{300, 200};
  const HWND user = desktop.foregroundWindow = reinterpret_cast<HWND>(0x1234);
  desktop.keyHeldElsewhere = 'W';
  // Logs how many raw devices are watched, then sends a report of mouse buttons.
  const auto send = [&](USHORT buttons, POINT pointer) {
    const auto handle = reinterpret_cast<HRAWINPUT>(desktop.rawReports.size() + 1);
    (desktop.rawReports[handle] = RAWINPUT{{RIM_TYPEMOUSE, 0, nullptr, 0}, {}}).data.mouse.usButtonFlags = buttons;
    desktop.pointer = pointer;
    menuLog += std::to_string(desktop.rawInput.size());
    SendMessageA(window.hWnd(), WM_INPUT, RIM_INPUTSINK, reinterpret_cast<LPARAM>(handle));
  };
  const auto press = [&](POINT pointer) { return [=] { send(RI_MOUSE_LEFT_BUTTON_DOWN, pointer); }; };
  // Presses a key the open menu took, with Shift, as Windows reports it. Taken: Up, Down, Home, End, Enter, Escape,
  // F and Q, with and without Shift; W is another program's.
  const auto hotKey = [&](UINT key) {
    return [&, key] {
      EXPECT_EQ(desktop.keysTaken.size(), 16u);
      for (const auto& [id, taken] : desktop.keysTaken)
        if (taken == std::pair(UINT{MOD_SHIFT}, key)) PostMessageA(window.hWnd(), WM_HOTKEY, id, 0);
    };
  };
  openMenu = &window.mPopup();
  SetTimer(window.hWnd(), fwMain::ktoLangId + 1, 150, &NextMenuStep);
  const struct { int shift; std::vector<std::function<void()>> steps; } gestures[] = {
      {VK_RSHIFT, {}}, {VK_LSHIFT, {press({at.x + 4, at.y + 4}), press({at.x - 4, at.y})}},
      {VK_LSHIFT, {hotKey(VK_ESCAPE)}}, {VK_LSHIFT, {hotKey(VK_DOWN), hotKey(VK_DOWN), hotKey(VK_RETURN)}},
      {VK_LSHIFT, {[&] { desktop.foregroundRefused = true; }, hotKey('F')}}, {0, {}}};
  for (const auto& gesture : gestures) {
    desktop.keyStates = {{gesture.shift, static_cast<SHORT>(0xFF81)}, {VK_SHIFT, static_cast<SHORT>(0xFF81)}};
    window.toLang_Timer();
    menuSteps = gesture.steps;
    send(RI_MOUSE_MIDDLE_BUTTON_DOWN, at);
    Pump(400 + 150 * gesture.steps.size());
  }
  EXPECT_NE(GetForegroundWindow(), window.hWnd());
  EXPECT_EQ(std::tuple(menuLog, boxes.size(), chooser.owners.size(), desktop.keysTaken.size()),
            std::tuple("0" "1" "11" "1" "1" "1" "0", 1u, 1u, 0u));
  EXPECT_EQ(std::pair(desktop.foregroundAsked, desktop.foregroundWindow),
            std::pair(std::vector<HWND>{window.hWnd(), user, window.hWnd()}, user));
}

// The label's font and colour come from the settings file; the font command
// applies, saves and draws an OK that changes something, and nothing else.
TEST_F(FwMainTest, TheFontCommandAppliesSavesAndDrawsOnlyAChange) {
  const auto saved = [](const std::string& color, const std::string& name, int size, int bold) {
    return "[fwMain]\r\nForeColor=" + color + "\r\n[Font]\r\nName=" + name + "\r\nSize=" + std::to_string(size) +
           "\r\nCharset=1\r\nBold=" + std::to_string(bold) + "\r\nWeight=400\r\nItalic=0\r\nUnder=0\r\nStrike=0\r\n";
  };
  const FontRecord sans8 = testing::MakeFont("MS Sans Serif", 8, kAnyCharset);
  FontRecord sans975 = sans8;
  sans975.size = Fixed{97500};
  const struct { std::string file; std::function<void(CommonDialog&)> edit; std::int32_t color; FontRecord font;
                 std::string saved; } cases[] = {
      // OK with nothing changed on the designed Cyrillic font: the dialog knows no charset, so DEFAULT_CHARSET.
      {"", {}, static_cast<std::int32_t>(0x80000008u), testing::MakeFont("Small Fonts", 6, kAnyCharset),
       saved("-2147483640", "Small Fonts", 6, 0)},
      // A flag is set only by exactly 1; a colour is taken to the nearest whole number, halves to even.
      {saved("255.5", "MS Sans Serif", 8, 2), {}, 256, sans8, saved("255.5", "MS Sans Serif", 8, 2)},
      {saved("255", "MS Sans Serif", 8, 0), [](CommonDialog& d) { d.Color = 0xFF0000; }, 0xFF0000, sans8,
       saved("16711680", "MS Sans Serif", 8, 0)},
      {saved("255", "MS Sans Serif", 8, 0), [](CommonDialog& d) { d.FontSize = Fixed{97500}; }, 255, sans975,
       saved("255", "MS Sans Serif", 10, 0)}};
  desktop.PointAt({10, 20}, nullptr, 0, reinterpret_cast<HKL>(0x04090409));
  const std::string settings = folder.File("Corvane.dat");
  for (const auto& c : cases) {
    if (!c.file.empty()) testing::WriteBytes(settings, c.file);
    fwMain& window = Start("", false, true);
    window.toLang_Timer();
    const Surface& label = window.indicator().pbCursor[1];
    chooser.edit = c.edit;
    desktop.installs.clear();
    window.mPopupFont_Click();
    EXPECT_EQ(std::tuple(label.ForeColor(), label.Font(), testing::ReadBytes(settings)),
              std::tuple(c.color, c.font, c.saved));
    EXPECT_EQ(desktop.installs.size(), c.saved == c.file ? 0u : 1u) << "drawn again";
  }
  // The indicator is handed the file too: a tick reads Caps Lock with CapsLock=1, and only then.
  for (const char* capsLock : {"", "CapsLock=1\r\n"}) {
    testing::WriteBytes(settings, std::string("[fwMain]\r\n") + capsLock);
    fwMain& window = Start("", false, true);
    desktop.calls.clear();
    window.toLang_Timer();
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "KeyState"), *capsLock ? 3 : 2);
  }
  // The input scope is read at activation and again when a system setting changes.
  desktop.perWindowInput = FALSE;
  fwMain& session = Start("", false, true);
  EXPECT_EQ(session.indicator().Scope(), Indicator::InputScope::kSession);
  desktop.perWindowInput.reset();
  SendMessageA(session.hWnd(), WM_SETTINGCHANGE, SPI_SETTHREADLOCALINPUTSETTINGS, 0);
  EXPECT_EQ(session.indicator().Scope(), Indicator::InputScope::kPerWindow);
  // With one layout no label was drawn: a change is applied, and there is nothing to draw.
  desktop.layoutCount = 1;
  Start("", false, true).toLang_Timer();
  chooser.edit = [](CommonDialog& d) { d.Color = 0xFF00; };
  desktop.installs.clear();
  main_->mPopupFont_Click();
  EXPECT_TRUE(desktop.installs.empty() && main_->indicator().pbCursor[1].ForeColor() == 0xFF00);
}

// A crash in a command run from a tick, SEH or C++, that no code of the program
// handles: the cursors come back, then the process dies of it as before, with
// its exit code.
TEST_F(FwMainTest, ACrashPutsTheCursorsBackAndStillEndsAsThatCrash) {
  // The shipped program is 32-bit; under 64-bit Wine the crashing child never ends.
  if (sizeof(void*) == 8) GTEST_SKIP() << "crash handling is checked in the 32-bit build";
  const auto crashInTicks = [this] {
    SetUnhandledExceptionFilter(&FilterBefore);
    std::set_terminate(&TerminateBefore);
    crashing = &desktop;
    answer = MenuCommand::About;
    desktop.Press(VK_LSHIFT);
    desktop.Press(VK_MBUTTON);
    Start("", false, true);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
  };
  whileBoxShown = [] { RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr); };
  EXPECT_EXIT(crashInTicks(), ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)),
              "handed on after 2 reloads, the last: ReloadSystemCursors quietly");
  whileBoxShown = [] { throw std::bad_alloc(); };
  EXPECT_EXIT(crashInTicks(), ::testing::ExitedWithCode(3), "handed on after 2 reloads, the last: ReloadSystemCursors quietly");  // std::abort's code
}

// The user picks another pointer while Corvane runs: the system reloads the
// cursors and tells every window, and the label comes back at once, on the
// new I-beam when it differs; other settings install nothing. A display change
// reloads the cursors quietly, then draws; after a resume the next tick checks
// the I-beam. Corvane's own reloads, announced at activation and at Quit,
// install nothing.
TEST_F(FwMainTest, APointerOrDisplayChangeMovesTheLabelToTheUsersIBeam) {
  using testing::IBeam, testing::MakeIBeam;
  const platform::Icon plain(MakeIBeam(IBeam::kPlain)), inverting(MakeIBeam(IBeam::kInverting)),
      larger(MakeIBeam(IBeam::kPlain, 48));
  const auto send = [this](UINT message, WPARAM wParam) { SendMessageA(main_->hWnd(), message, wParam, 0); };
  desktop.PointAt({10, 20}, nullptr, 0, reinterpret_cast<HKL>(0x04090409));
  desktop.stockIBeam = plain.get();
  desktop.installsStick = true;
  Start("", false, true).toLang_Timer();
  const testing::IconPlanes first = testing::ReadIcon(desktop.InstalledCursor());
  send(WM_SETTINGCHANGE, SPI_SETCURSORS);
  desktop.stockIBeam = inverting.get();
  send(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
  EXPECT_EQ(std::pair(desktop.installs.size(), testing::ReadIcon(desktop.InstalledCursor())),
            std::pair(std::size_t{2}, first));
  desktop.Reload();
  send(WM_SETTINGCHANGE, SPI_SETCURSORS);
  EXPECT_NE(testing::ReadIcon(desktop.InstalledCursor()), first);
  desktop.stockIBeam = larger.get();
  desktop.calls.clear();
  send(WM_DISPLAYCHANGE, 32);
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"ReloadSystemCursors quietly", "StockIBeam",
                                                     "InstallSystemCursor", "StockIBeam"}));
  EXPECT_EQ(testing::ReadIcon(desktop.InstalledCursor()).color.width, 48);
  desktop.Reload();
  send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
  main_->toLang_Timer();
  main_->mPopupExit_Click();
  EXPECT_EQ(std::pair(desktop.installs.size(), desktop.reloads), std::pair(std::size_t{5}, 3));
}

}  // namespace corvane
