#include "app/fw_main.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <utility>

#include "app/consent.h"
#include "platform/scope_exit.h"
#include "menu/start_with_windows.h"
#include "menu/version_text.h"
#include "resources/version.h"
#include "storage/font_settings.h"
#include "storage/registry_store.h"
#include "storage/settings_file.h"

namespace corvane {

namespace {

constexpr const char* kColorKey = "ForeColor";
constexpr const char* kFontSection = "Font";

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  // Shared images: the system owns them.
  windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(CORVANE_ICON_ID), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                    LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(CORVANE_ICON_ID), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                      LR_SHARED));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = fwMain::kClassName;
  // A second registration (another fwMain in the same process) fails harmlessly.
  RegisterClassExA(&windowClass);
}

// The colour read from the settings file as the signed 32-bit colour value;
// the current colour when the stored number does not fit one.
std::int32_t ColorValue(Fixed stored, std::int32_t current) {
  const std::int64_t whole = RoundHalfEven(stored);
  if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max()) {
    return current;
  }
  return static_cast<std::int32_t>(whole);
}

// A crash after activation would leave the labelled I-beam installed, showing
// a language that is no longer typed. The handlers below put the user's
// cursors back and then hand the crash on to what was in place before (the
// run-time's handlers, then the system's crash reporting), so it still ends as
// the same crash. An SEH exception nobody handles reaches the top-level filter;
// a C++ exception nobody catches ends in std::terminate.
fwMain* crashWatched = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER nextFilter = nullptr;
std::terminate_handler nextTerminate = nullptr;

LONG WINAPI RestoreCursorsOnCrash(EXCEPTION_POINTERS* exception) {
  if (crashWatched) crashWatched->RestoreUserCursors(platform::Desktop::Notify::kQuiet);
  return nextFilter ? nextFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void RestoreCursorsOnTerminate() {
  if (crashWatched) crashWatched->RestoreUserCursors(platform::Desktop::Notify::kQuiet);
  if (nextTerminate) nextTerminate();
  std::abort();
}

void WatchCrashes(fwMain& window) {
  if (!crashWatched) {
    nextFilter = SetUnhandledExceptionFilter(&RestoreCursorsOnCrash);
    nextTerminate = std::set_terminate(&RestoreCursorsOnTerminate);
  }
  crashWatched = &window;
}

void StopWatchingCrashes(const fwMain& window) {
  if (crashWatched != &window) return;
  SetUnhandledExceptionFilter(nextFilter);
  std::set_terminate(nextTerminate);
  crashWatched = nullptr;
}

}  // namespace

fwMain::fwMain(HINSTANCE instance, Launch launch, Services services)
    : instance_(instance),
      launch_(std::move(launch)),
      services_(std::move(services)),
      paths_(PathsOfModule(launch_.modulePath)),
      record_(platform::ReadVersionRecord()),
      rawInput_(services_.desktop),
      indicator_(
          services_.desktop, [this] { OpenControlMenu(); }, [this](bool on) { rawInput_.ForGesture(on); }),
      menu_(services_.desktop) {}

// The window goes first, while the members its handlers use are still alive.
fwMain::~fwMain() {
  Unload();
  StopWatchingCrashes(*this);
}

void fwMain::Load() {
  RegisterWindowClass(instance_, &fwMain::WndProc);
  // Fixed single border with a close box only; hidden until Form_Load decides.
  CreateWindowExA(0, kClassName, "", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  if (!hwnd_) return;
  Form_Load();
  if (hwnd_ && bbYesTag_ == "*") {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    SetFocus(consent_.bbYes);
  }
}

bool fwMain::TranslateDialogKey(MSG& message) {
  return hwnd_ && IsWindowVisible(hwnd_) && IsDialogMessageA(hwnd_, &message);
}

LRESULT CALLBACK fwMain::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<fwMain*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = window;
  }
  auto* self = reinterpret_cast<fwMain*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT fwMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The buttons answer only while the consent window is shown: once
      // activated, the hidden window ignores a stray click or key.
      if (HIWORD(wParam) == BN_CLICKED && consent_.bbYes && IsWindowVisible(hwnd_)) {
        if (LOWORD(wParam) == kbbYesId) {
          bbYes_Click();
          return 0;
        }
        if (LOWORD(wParam) == kbbNoId) {
          bbNo_Click();
          return 0;
        }
      }
      break;
    case DM_GETDEFID:
      // Enter clicks the focused button, otherwise the default one, Yes.
      return MAKELONG(GetFocus() == consent_.bbNo && consent_.bbNo ? kbbNoId : kbbYesId, DC_HASDEFID);
    case WM_ACTIVATE:
      // Focus goes back to the consent window's last control, never into the hidden window.
      if (!consent_.bbYes || !IsWindowVisible(hwnd_)) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else {
        SetFocus(lastFocus_ ? lastFocus_ : consent_.bbYes);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == consent_.tbStart && consent_.tbStart) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_TIMER:
      if (wParam == ktoLangId) {
        toLang_Timer();
        return 0;
      }
      break;
    case WM_INPUT:
      // DefWindowProc still runs: it cleans up after a report.
      OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
      break;
    case kOpenMenuMessage:
      OpenControlMenu();
      return 0;
    case WM_HOTKEY:
      menu_.OnHotKey(wParam);
      return 0;
    case WM_SETTINGCHANGE:
      OnSettingChange(wParam);
      break;
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      break;
    case WM_WTSSESSION_CHANGE:
    case WM_POWERBROADCAST:
      // An unlock, a new connection or a resume may have reloaded the cursors unannounced.
      indicator_.CheckIBeamSoon();
      break;
    case WM_ENDSESSION:
      // The session ends (a log-off, a shutdown, an installer closing the
      // program): the process may be ended as soon as this returns.
      if (wParam) {
        Unload();
        return 0;
      }
      break;
    case WM_DESTROY:
      // Whatever ends the window after activation (Quit, a close request from
      // another program, the session's end, a WM_QUIT ending the message loop)
      // gives the user's cursors back first.
      RestoreUserCursors();
      Form_Unload();
      // The only window is gone: the process ends.
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void fwMain::Unload() {
  // Runs Form_Unload through WM_DESTROY; WM_NCDESTROY clears hwnd_.
  if (hwnd_) DestroyWindow(hwnd_);
}

void fwMain::RestoreUserCursors(platform::Desktop::Notify notify) {
  if (!cursorsChanged_) return;
  // Cleared first: a crash inside the reload must not reload again, and the
  // reload's own broadcast must find the I-beam no longer Corvane's.
  cursorsChanged_ = false;
  services_.desktop.ReloadSystemCursors(notify);
}

void fwMain::OnDisplayChange() {
  if (cursorsChanged_) indicator_.RefreshAfterDisplayChange();
}

void fwMain::Form_Load() {
  // A second instance leaves the running one alone, whatever it was asked.
  if (launch_.previousInstance) {
    Unload();
    return;
  }
  if (!IsDebugSwitch(ArgumentPortion(launch_.commandLine))) {
    // The machine-wide marker, or the user's where the machine-wide one could not be written.
    if (RegEitherEquals(ApplicationKey(record_.CompanyName, record_.InternalName), "", paths_.folder)) {
      bbYes_Click();
      return;
    }
  }
  PrepareConsentWindow();
}

void fwMain::PrepareConsentWindow() {
  // The window carries no menu bar: the control menu is a separate popup.
  SetWindowTextA(hwnd_, record_.LegalTrademarks.c_str());
  consent_.Create(hwnd_, instance_);
  SetWindowTextA(consent_.tbStart, ConsentText().c_str());
  consent_.LayOut(hwnd_);
  bbYesTag_.assign(1, '*');
}

void fwMain::bbYes_Click() {
  ShowWindow(hwnd_, SW_HIDE);
  const std::string applicationKey = ApplicationKey(record_.CompanyName, record_.InternalName);
  if (!bbYesTag_.empty()) {
    // Consent just given: remember the folder and switch autostart on.
    RegWriteMachineOrUser(applicationKey, "", paths_.folder);
    menu_.SetChecked(MenuCommand::Start, false);
    mPopupStart_Click();
  }
  RefreshStartCheck(menu_, record_.ProductName, paths_.exePath);
  RegWriteMachineOrUser(applicationKey, "CurrentVersion", VersionText(record_.Major, record_.Minor, record_.Revision));
  const std::string appPathsKey = AppPathsKey(paths_.exeName);
  RegWriteMachineOrUser(appPathsKey, "", paths_.exePath);
  RegWriteMachineOrUser(appPathsKey, "Path", paths_.folder);
  SetMenuTabText(menu_, MenuCommand::Close, "Close");
  menu_.SetCaption(MenuCommand::About, record_.LegalTrademarks);
  tag_ = paths_.settingsPath;

  Surface& label = indicator_.pbCursor[0];
  const Fixed color = IniReadNumber(tag_, kColorSection, kColorKey, Fixed::Whole(label.ForeColor()));
  label.SetForeColor(ColorValue(color, label.ForeColor()));
  label.SetFont(LoadFontSettings(tag_, kFontSection, "", &label.Font()));
  indicator_.UseSettingsFile(tag_);

  indicator_.PrepareSurfaces();
  indicator_.ReadInputScope();
  // From the first tick on the I-beam may be the labelled one.
  cursorsChanged_ = true;
  WatchCrashes(*this);
  rawInput_.Follow(hwnd_);
  sessions_.Follow(hwnd_);
  // Last, so that no tick sees half-prepared surfaces.
  SetTimer(hwnd_, ktoLangId, ktoLangInterval, nullptr);
}

void fwMain::bbNo_Click() { Unload(); }

void fwMain::Form_Unload() {
  KillTimer(hwnd_, ktoLangId);
  rawInput_.Follow(nullptr);
  sessions_.Follow(nullptr);
}

void fwMain::toLang_Timer() { indicator_.toLang_Timer(); }

void fwMain::OpenControlMenu() {
  // One command at a time: a tick inside the menu's or a command's window's
  // loop opens nothing, so About boxes do not pile up and Quit cannot destroy
  // the window that owns an open box.
  if (commandRunning_) return;
  commandRunning_ = true;
  const platform::ScopeExit done([this] { commandRunning_ = false; });
  // A command's window that closes hands the foreground to its owner, this
  // hidden window: the keys go back to the window the user worked in.
  const HWND before = services_.desktop.ForegroundWindow();
  const platform::ScopeExit giveBack([this, before] {
    if (hwnd_ && before && services_.desktop.ForegroundWindow() == hwnd_) services_.desktop.TakeForeground(before);
  });
  POINT at{0, 0};
  services_.desktop.CursorPos(at);
  rawInput_.ForMenu(true);
  const MenuCommand chosen = services_.trackMenu(menu_, hwnd_, at, [this] { mPopup_Click(); });
  rawInput_.ForMenu(false);
  // The About box and the font dialog open in front with the keyboard, owned
  // by the window in front: the click or key that chose them was this
  // program's input, and the menu is closed, so Windows allows it. Where it
  // refuses, they open behind the window in front.
  if (chosen == MenuCommand::About || chosen == MenuCommand::Font) services_.desktop.TakeForeground(hwnd_);
  switch (chosen) {
    case MenuCommand::About:
      mPopupAbout_Click();
      break;
    case MenuCommand::Font:
      mPopupFont_Click();
      break;
    case MenuCommand::Start:
      mPopupStart_Click();
      break;
    case MenuCommand::Exit:
      mPopupExit_Click();
      break;
    case MenuCommand::None:
    case MenuCommand::Close:
      break;
  }
}

void fwMain::OnRawInput(HRAWINPUT input) {
  RAWINPUT report{};
  if (!services_.desktop.ReadRawInput(input, report)) return;
  if (menu_.IsOpen()) {
    POINT pointer{0, 0};
    services_.desktop.CursorPos(pointer);
    menu_.CloseOn(report, pointer);
    return;
  }
  // Not opened inside the report's handling, so that its clean-up runs first.
  if (indicator_.IsGestureClick(report)) PostMessageA(hwnd_, kOpenMenuMessage, 0, 0);
}

void fwMain::OnSettingChange(WPARAM action) {
  // The input scope is read again whatever changed: the system does not say
  // which value the option of a language per app window is sent as.
  indicator_.ReadInputScope();
  // Reloaded cursors get the label back, only while the I-beam is Corvane's:
  // activation's own reload comes before it is set, Quit's after it is cleared.
  if (action == SPI_SETCURSORS && cursorsChanged_) indicator_.RefreshIBeam();
}

void fwMain::mPopup_Click() { RefreshStartCheck(menu_, record_.ProductName, paths_.exePath); }

void fwMain::mPopupAbout_Click() { ShowAbout(hwnd_, record_, kAboutNote, services_.messageBox); }

void fwMain::mPopupFont_Click() { SetFontAndColor(indicator_, tag_, hwnd_, services_.fontChooser); }

void fwMain::mPopupStart_Click() { ToggleStartWithWindows(menu_, record_.ProductName, paths_.exePath); }

void fwMain::mPopupExit_Click() {
  // The user's own cursors come back, all of them, before the window goes.
  RestoreUserCursors();
  Unload();
}

}  // namespace corvane
