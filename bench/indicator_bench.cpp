// What the indicator costs: an idle tick through the program's own code
// against the bare platform calls it has to make, without and with the Caps
// Lock mark, with a Japanese layout whose input method is asked for its mode,
// with the I-beam check forced on, and one label rendering.
// Run under the system to measure (or Wine); it prints its figures. With
// "--render" it times the rendering alone (figures.sh runs it so at 192 DPI).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "indicator/cursor_fingerprint.h"
#include "indicator/indicator.h"
#include "indicator/input_mode_reader.h"
#include "platform/desktop.h"
#include "platform/dpi.h"

namespace {

// Counts heap allocations, to show that an idle tick makes none.
long allocations = 0;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) / frequency;
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// The calls an idle tick must make, written out with nothing around them:
// the input scope read every kScopeReadTicks ticks, then per window the
// pointer, its window, that window's thread and its layout, or for the session
// the foreground thread's focus window, its thread and its layout; with the
// Caps Lock mark on, the toggle is read as well.
DWORD bareLastLayout = 0;
bool bareLastCapsLock = false;
int bareTicks = 0;
DWORD bareOwnThread = 0;
template <bool kSession, bool kCapsLock>
[[gnu::noinline]] void BareTick() {
  const bool shift = (GetKeyState(VK_LSHIFT) & 0x80) != 0;
  const bool middle = (GetKeyState(VK_MBUTTON) & 0x80) != 0;
  if (shift && middle) return;
  if (GetKeyboardLayoutList(0, nullptr) < 2) return;
  if (++bareTicks >= corvane::Indicator::kScopeReadTicks) {
    bareTicks = 0;
    BOOL perWindow = FALSE;
    SystemParametersInfoA(SPI_GETTHREADLOCALINPUTSETTINGS, 0, &perWindow, 0);
  }
  DWORD thread = 0;
  if (kSession) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info)) return;
    HWND window = info.hwndFocus ? info.hwndFocus : info.hwndActive;
    if (!window) return;
    thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0 || thread == bareOwnThread) return;
  } else {
    POINT pointer{0, 0};
    GetCursorPos(&pointer);
    thread = GetWindowThreadProcessId(WindowFromPoint(pointer), nullptr);
  }
  const auto layout = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(thread)));
  if (layout == 0) return;
  const bool capsLock = kCapsLock && (GetKeyState(VK_CAPITAL) & 0x01) != 0;
  if (layout != bareLastLayout || capsLock != bareLastCapsLock) {
    bareLastLayout = layout;
    bareLastCapsLock = capsLock;
  }
}

// An input method window in a thread of its own, as another program's would
// be: it answers that it is open, in hiragana.
HWND imeWindow = nullptr;

LRESULT CALLBACK ImeWindowProc(HWND window, UINT message, WPARAM command, LPARAM data) {
  if (message != WM_IME_CONTROL) return DefWindowProcA(window, message, command, data);
  return command == IMC_GETOPENSTATUS ? 1 : IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
}

DWORD WINAPI ImeThread(void* ready) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ImeWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CorvaneBenchIme";
  RegisterClassA(&windowClass);
  imeWindow = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  SetEvent(ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

// The calls of a tick with a Japanese layout on top of the per-window ones:
// the last input's time, and when it asks, the open status and the conversion
// mode. (The input method window is known here; the program finds it with
// ImmGetDefaultIMEWnd, which Wine answers with null for another program's window.)
template <bool kAsk>
[[gnu::noinline]] void BareImeTick() {
  BareTick<false, false>();
  LASTINPUTINFO input{sizeof input, 0};
  GetLastInputInfo(&input);
  if (!kAsk) return;
  constexpr UINT kFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
  DWORD_PTR open = 0;
  DWORD_PTR mode = 0;
  if (SendMessageTimeoutA(imeWindow, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, kFlags,
                          corvane::InputModeReader::kTimeoutMs, &open) &&
      open)
    SendMessageTimeoutA(imeWindow, WM_IME_CONTROL, IMC_GETCONVERSIONMODE, 0, kFlags,
                        corvane::InputModeReader::kTimeoutMs, &mode);
}

// The system's services with a Japanese layout everywhere and the input
// method window of ImeThread; with `newInput` each tick finds input since the
// last, so each asks the input method.
class ImeDesktop final : public corvane::platform::Win32Desktop {
 public:
  explicit ImeDesktop(bool newInput) : newInput_(newInput) {}
  HKL ThreadLayout(DWORD thread) override {
    corvane::platform::Win32Desktop::ThreadLayout(thread);
    return reinterpret_cast<HKL>(0x04110411);
  }
  HWND ImeWindow(HWND) override { return imeWindow; }
  BOOL LastInput(DWORD& tickCount) override {
    const BOOL read = corvane::platform::Win32Desktop::LastInput(tickCount);
    if (newInput_) tickCount = ++input_;
    return read;
  }

 private:
  bool newInput_;
  DWORD input_ = 0;
};

// The same per window, and every IBeamCheck::kPeriodTicks ticks the calls a
// look at the I-beam `bareShown` must make: its planes read back.
HCURSOR bareShown = nullptr;
int bareSinceLook = 0;
[[gnu::noinline]] void BareTickWithLook() {
  BareTick<false, false>();
  if (++bareSinceLook < corvane::IBeamCheck::kPeriodTicks) return;
  bareSinceLook = 0;
  static std::uint32_t pixels[4096];
  static const HDC dc = CreateCompatibleDC(nullptr);
  ICONINFO icon{};
  if (!GetIconInfo(bareShown, &icon)) return;
  for (HBITMAP plane : {icon.hbmMask, icon.hbmColor}) {
    BITMAP size{};
    if (!plane || !GetObjectA(plane, sizeof size, &size)) continue;
    BITMAPINFO info{};
    info.bmiHeader = corvane::platform::DibHeader(size.bmWidth, size.bmHeight, 32, true);
    GetDIBits(dc, plane, 0, static_cast<UINT>(size.bmHeight), pixels, &info, DIB_RGB_COLORS);
    DeleteObject(plane);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Idle ticks of the indicator against the bare calls `bare` makes, in short
// blocks of alternating order, so that a busy moment of the machine falls on
// both sides alike; each side's figure is the median block.
void CompareIdleTicks(const char* title, corvane::Indicator& indicator, void (*bare)()) {
  // The first tick may render, and where installs change nothing (Wine) the
  // I-beam check tries a few more; from then on every tick is idle.
  for (int i = 0; i <= corvane::IBeamCheck::kPeriodTicks * corvane::IBeamCheck::kUnstuckLimit; ++i) {
    indicator.toLang_Timer();
    bare();
  }

  constexpr int kTicksPerBlock = 200;
  constexpr int kBlocks = 101;
  std::vector<double> tick;
  std::vector<double> bareTimes;
  std::vector<double> ratio;
  long tickAllocations = 0;
  auto timeTicks = [&] {
    const long before = allocations;
    const LARGE_INTEGER t0 = Now();
    for (int i = 0; i < kTicksPerBlock; ++i) indicator.toLang_Timer();
    const LARGE_INTEGER t1 = Now();
    tickAllocations += allocations - before;
    return Seconds(t0, t1) / kTicksPerBlock * 1e6;
  };
  auto timeBare = [&] {
    const LARGE_INTEGER t0 = Now();
    for (int i = 0; i < kTicksPerBlock; ++i) bare();
    return Seconds(t0, Now()) / kTicksPerBlock * 1e6;
  };
  for (int block = 0; block < kBlocks; ++block) {
    double t;
    double b;
    if (block % 2 == 0) {
      t = timeTicks();
      b = timeBare();
    } else {
      b = timeBare();
      t = timeTicks();
    }
    tick.push_back(t);
    bareTimes.push_back(b);
    ratio.push_back(t / b);
  }
  const double tickMedian = Median(tick);
  const double bareMedian = Median(bareTimes);
  std::printf("%s\n", title);
  std::printf("  idle tick, median of %d blocks of %d: %.3f us\n", kBlocks, kTicksPerBlock, tickMedian);
  std::printf("  bare call sequence, same blocks:       %.3f us\n", bareMedian);
  std::printf("  ratio tick / bare: %.3f of the medians, %.3f median of the block pairs (target <= 1.05)\n",
              tickMedian / bareMedian, Median(ratio));
  std::printf("  heap allocations in %d idle ticks: %ld\n", kBlocks * kTicksPerBlock, tickAllocations);
}

// The system's services, with the input scope read as the session's (the
// default since Windows 8; Wine's read fails) and a thread that is not the
// benchmark's as its own, so that its own window in front is the one read.
class SessionDesktop final : public corvane::platform::Win32Desktop {
 public:
  BOOL ThreadLocalInput(BOOL& perWindow) override {
    corvane::platform::Win32Desktop::ThreadLocalInput(perWindow);
    perWindow = FALSE;
    return TRUE;
  }
  DWORD CurrentThread() override { return 0; }
};

// A focused window of the benchmark's in front, for the session's ticks to read.
HWND ShowForegroundWindow() {
  HWND window = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window);
  SetFocus(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return window;
}

// The idle ticks against the bare calls: per window without and with the Caps
// Lock mark, and session-wide.
void CompareIdleTicksOfEveryKind(corvane::Indicator& indicator) {
  const int layouts = GetKeyboardLayoutList(0, nullptr);
  std::printf("keyboard layouts installed: %d%s\n", layouts,
              layouts < 2 ? " (an idle tick stops after the count; install a second layout for the full tick)" : "");

  indicator.ReadInputScope();
  CompareIdleTicks("Per window (the scope read fails or says so), CapsLock off:", indicator, &BareTick<false, false>);

  // A settings file that asks for the Caps Lock mark: the tick reads the toggle too.
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string settings = std::string(folder) + "corvane_bench.dat";
  WritePrivateProfileStringA("fwMain", "CapsLock", "1", settings.c_str());
  indicator.UseSettingsFile(settings);
  CompareIdleTicks("Per window, CapsLock=1 (the bare calls read Caps Lock too):", indicator, &BareTick<false, true>);
  indicator.UseSettingsFile("");
  DeleteFileA(settings.c_str());

  // The session's scope: the focused window in front, here the benchmark's own.
  SessionDesktop sessionDesktop;
  corvane::Indicator session(sessionDesktop, [] {});
  session.PrepareSurfaces();
  session.ReadInputScope();
  const HWND front = ShowForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(0, &info);
  std::printf("session scope: the focus %s\n", info.hwndFocus == front ? "on the benchmark's window" : "elsewhere");
  CompareIdleTicks("Session-wide (the focused window in front), CapsLock off:", session, &BareTick<true, false>);
  DestroyWindow(front);

  // A Japanese layout, per window: idle, and with input on every tick.
  const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const HANDLE thread = CreateThread(nullptr, 0, ImeThread, ready, 0, nullptr);
  WaitForSingleObject(ready, INFINITE);
  for (bool newInput : {false, true}) {
    ImeDesktop imeDesktop(newInput);
    corvane::Indicator japanese(imeDesktop, [] {});
    japanese.PrepareSurfaces();
    japanese.ReadInputScope();
    CompareIdleTicks(newInput ? "Japanese layout, input before every tick: the input method asked each time"
                              : "Japanese layout, no input since the input method's last answer: nothing asked",
                     japanese, newInput ? &BareImeTick<true> : &BareImeTick<false>);
    std::printf("  mode shown: %s\n", japanese.LastMode() == corvane::InputMode::kHiragana ? "hiragana" : "another");
  }
  PostMessageA(imeWindow, WM_QUIT, 0, 0);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(ready);
}

// The system's services, but an install replaces the I-beam for this program
// alone: the stock I-beam is then the installed cursor, as on Windows, so the
// I-beam check stays on (under Wine, whose installs change nothing, it stops).
class StickyDesktop final : public corvane::platform::Win32Desktop {
 public:
  HCURSOR StockIBeam() override { return shown ? shown.get() : Win32Desktop::StockIBeam(); }
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD) override {
    shown.reset(cursor);
    return cursor != nullptr;
  }
  corvane::platform::Icon shown;
};

// The I-beam check's own cost, one look and spread over its period, and idle
// ticks with it on against the bare calls plus those of a look.
void CompareIdleTicksWithIBeamCheck() {
  StickyDesktop sticky;
  corvane::Indicator indicator(sticky, [] {});
  indicator.PrepareSurfaces();
  indicator.toLang_Timer();
  bareShown = sticky.shown.get();
  corvane::CursorReader reader;
  std::vector<double> looks;
  for (int i = 0; i < 1000; ++i) {
    const LARGE_INTEGER t0 = Now();
    reader.Read(sticky.StockIBeam());
    looks.push_back(Seconds(t0, Now()) * 1e6);
  }
  std::printf("I-beam check, %d x %d labelled I-beam: one look median %.1f us, %.2f us a tick over its %d ticks\n",
              indicator.pbCursor[0].Width(), indicator.pbCursor[0].Height(), Median(looks),
              Median(looks) / corvane::IBeamCheck::kPeriodTicks, corvane::IBeamCheck::kPeriodTicks);
  CompareIdleTicks("Per window with the I-beam check forced on (the bare calls read the I-beam back as often):",
                   indicator, &BareTickWithLook);
  std::printf("  the check still on: %s\n", sticky.shown.get() == bareShown ? "yes, no reinstall" : "no");
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  using corvane::Indicator;
  corvane::platform::Desktop& desktop = corvane::platform::SystemDesktop();
  Indicator indicator(desktop, [] {});
  indicator.PrepareSurfaces();
  if (argc < 2 || std::strcmp(argv[1], "--render") != 0) {
    CompareIdleTicksOfEveryKind(indicator);
    CompareIdleTicksWithIBeamCheck();
  }

  constexpr int kRenders = 1000;
  std::vector<double> render;
  for (int i = 0; i < kRenders; ++i) {
    LARGE_INTEGER t0 = Now();
    indicator.UpdateIndicator();
    LARGE_INTEGER t1 = Now();
    render.push_back(Seconds(t0, t1) * 1e6);
  }
  std::sort(render.begin(), render.end());
  std::printf("UpdateIndicator at %d DPI, %d x %d I-beam, %d calls: median %.1f us, 10th %.1f us, 90th %.1f us\n",
              corvane::platform::ScreenDpi().y, indicator.pbCursor[0].Width(), indicator.pbCursor[0].Height(), kRenders,
              render[kRenders / 2], render[kRenders / 10], render[kRenders * 9 / 10]);
  return 0;
}
