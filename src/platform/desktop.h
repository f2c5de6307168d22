// The keyboard, pointer and system-cursor services the indicator depends on.
// Wine stubs several of them (cursor install, other threads' layouts), so tests
// drive the program through a scripted implementation of this interface.
#pragma once

#include <windows.h>

#include "platform/system_library.h"

namespace corvane::platform {

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Keyboard and pointer.
  virtual SHORT KeyState(int virtualKey) = 0;              // GetKeyState
  virtual int KeyboardLayoutCount() = 0;                   // GetKeyboardLayoutList(0, nullptr)
  virtual BOOL CursorPos(POINT& point) = 0;                // GetCursorPos
  virtual HWND WindowAt(POINT point) = 0;                  // WindowFromPoint
  virtual DWORD WindowThread(HWND window) = 0;             // GetWindowThreadProcessId
  virtual HKL ThreadLayout(DWORD threadId) = 0;            // GetKeyboardLayout

  // Where the input language is kept: TRUE in `perWindow` when each window
  // keeps its own, FALSE when one language serves the whole session (the
  // default since Windows 8). Fails before Windows 8.
  virtual BOOL ThreadLocalInput(BOOL& perWindow) = 0;      // SPI_GETTHREADLOCALINPUTSETTINGS
  // The foreground thread's focus and active window; cbSize is set here.
  virtual BOOL ForegroundThreadInfo(GUITHREADINFO& info) = 0;  // GetGUIThreadInfo(0, ...)
  virtual DWORD CurrentThread() = 0;                       // GetCurrentThreadId

  // The input method of another program's window. Its thread's default input
  // method window (ImmGetDefaultIMEWnd, imm32 loaded from the system folder on
  // the first call); null when there is none.
  virtual HWND ImeWindow(HWND window) = 0;
  // SendMessageTimeout(imeWindow, WM_IME_CONTROL, command, 0, SMTO_BLOCK |
  // SMTO_ABORTIFHUNG, timeoutMs): ERROR_SUCCESS with the answer in `result`,
  // ERROR_TIMEOUT when the window did not answer in time, else the failure's error.
  virtual DWORD ImeControl(HWND imeWindow, WPARAM command, UINT timeoutMs, DWORD_PTR& result) = 0;
  // The tick count of the session's last keyboard or mouse input.
  virtual BOOL LastInput(DWORD& tickCount) = 0;           // GetLastInputInfo

  // System cursors.
  virtual int CursorWidth() = 0;                           // GetSystemMetrics(SM_CXCURSOR)
  virtual int CursorHeight() = 0;                          // GetSystemMetrics(SM_CYCURSOR)
  // SPI_SETCURSORS. With kBroadcast every top-level window hears of it; kQuiet
  // tells no one, for where a message could re-enter a window procedure that
  // cannot take it (a crash) or would only echo back to this program.
  enum class Notify { kBroadcast, kQuiet };
  virtual BOOL ReloadSystemCursors(Notify notify) = 0;
  virtual HCURSOR StockIBeam() = 0;                        // LoadCursorA(nullptr, IDC_IBEAM); shared, never destroyed
  // SetSystemCursor: on success the system owns the cursor from then on.
  virtual BOOL InstallSystemCursor(HCURSOR cursor, DWORD id) = 0;

  // Raw input (the menu gesture, the open menu's closing). RegisterRawInputDevices
  // for one generic-desktop device (HID_USAGE_GENERIC_MOUSE, _KEYBOARD): its
  // reports reach `target` as WM_INPUT whichever program has the focus
  // (RIDEV_INPUTSINK); a null target stops them (RIDEV_REMOVE).
  virtual BOOL WatchRawInput(USHORT usage, HWND target) = 0;
  virtual BOOL ReadRawInput(HRAWINPUT input, RAWINPUT& report) = 0;  // GetRawInputData of a mouse or keyboard report

  // Keys taken from the window in front (the open control menu's):
  // RegisterHotKey. A press of `virtualKey` with exactly `modifiers` (MOD_...)
  // reaches `owner` as WM_HOTKEY with `id` and no other window. Fails for a
  // key another program holds.
  virtual BOOL TakeKey(HWND owner, int id, UINT modifiers, UINT virtualKey) = 0;
  virtual BOOL GiveBackKey(HWND owner, int id) = 0;  // UnregisterHotKey
  // SetForegroundWindow: puts `window` in front with the keyboard. Windows
  // refuses it (FALSE) unless this process received the last input (a click
  // on its menu, one of its hot keys) or is in front already, and while a
  // menu is open.
  virtual BOOL TakeForeground(HWND window) = 0;
  virtual HWND ForegroundWindow() = 0;  // GetForegroundWindow
};

// The real services of the running system.
class Win32Desktop : public Desktop {
 public:
  SHORT KeyState(int virtualKey) override;
  int KeyboardLayoutCount() override;
  BOOL CursorPos(POINT& point) override;
  HWND WindowAt(POINT point) override;
  DWORD WindowThread(HWND window) override;
  HKL ThreadLayout(DWORD threadId) override;
  BOOL ThreadLocalInput(BOOL& perWindow) override;
  BOOL ForegroundThreadInfo(GUITHREADINFO& info) override;
  DWORD CurrentThread() override;
  HWND ImeWindow(HWND window) override;
  DWORD ImeControl(HWND imeWindow, WPARAM command, UINT timeoutMs, DWORD_PTR& result) override;
  BOOL LastInput(DWORD& tickCount) override;
  int CursorWidth() override;
  int CursorHeight() override;
  BOOL ReloadSystemCursors(Notify notify) override;
  HCURSOR StockIBeam() override;
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD id) override;
  BOOL WatchRawInput(USHORT usage, HWND target) override;
  BOOL ReadRawInput(HRAWINPUT input, RAWINPUT& report) override;
  BOOL TakeKey(HWND owner, int id, UINT modifiers, UINT virtualKey) override;
  BOOL GiveBackKey(HWND owner, int id) override;
  BOOL TakeForeground(HWND window) override;
  HWND ForegroundWindow() override;

 private:
  // imm32, which the program does not import: loaded when first needed.
  bool immLoaded_ = false;
  Library imm_;
  HWND(WINAPI* defaultImeWindow_)(HWND) = nullptr;
};

// The process-wide real implementation.
Desktop& SystemDesktop();

}  // namespace corvane::platform
