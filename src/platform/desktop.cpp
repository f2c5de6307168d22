#include "platform/desktop.h"

#include <hidusage.h>

namespace corvane::platform {

SHORT Win32Desktop::KeyState(int virtualKey) { return GetKeyState(virtualKey); }

int Win32Desktop::KeyboardLayoutCount() { return GetKeyboardLayoutList(0, nullptr); }

BOOL Win32Desktop::CursorPos(POINT& point) { return GetCursorPos(&point); }

HWND Win32Desktop::WindowAt(POINT point) { return WindowFromPoint(point); }

DWORD Win32Desktop::WindowThread(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

HKL Win32Desktop::ThreadLayout(DWORD threadId) { return GetKeyboardLayout(threadId); }

BOOL Win32Desktop::ThreadLocalInput(BOOL& perWindow) {
  return SystemParametersInfoA(SPI_GETTHREADLOCALINPUTSETTINGS, 0, &perWindow, 0);
}

BOOL Win32Desktop::ForegroundThreadInfo(GUITHREADINFO& info) {
  info.cbSize = sizeof info;
  // Thread 0 asks for the foreground thread, the one that receives the keys.
  return GetGUIThreadInfo(0, &info);
}

DWORD Win32Desktop::CurrentThread() { return GetCurrentThreadId(); }

HWND Win32Desktop::ImeWindow(HWND window) {
  if (!immLoaded_) {
    immLoaded_ = true;
    imm_ = LoadSystemLibrary("imm32.dll");
    defaultImeWindow_ = LibraryFunction<HWND(WINAPI*)(HWND)>(imm_, "ImmGetDefaultIMEWnd");
  }
  return defaultImeWindow_ ? defaultImeWindow_(window) : nullptr;
}

DWORD Win32Desktop::ImeControl(HWND imeWindow, WPARAM command, UINT timeoutMs, DWORD_PTR& result) {
  SetLastError(ERROR_SUCCESS);
  // SMTO_BLOCK: no other message is handled in the middle of the tick.
  if (SendMessageTimeoutA(imeWindow, WM_IME_CONTROL, command, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, timeoutMs, &result))
    return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  // Windows 2000 reported a time-out with no error code.
  return error == ERROR_SUCCESS ? ERROR_TIMEOUT : error;
}

BOOL Win32Desktop::LastInput(DWORD& tickCount) {
  LASTINPUTINFO info{sizeof info, 0};
  if (!GetLastInputInfo(&info)) return FALSE;
  tickCount = info.dwTime;
  return TRUE;
}

int Win32Desktop::CursorWidth() { return GetSystemMetrics(SM_CXCURSOR); }

int Win32Desktop::CursorHeight() { return GetSystemMetrics(SM_CYCURSOR); }

BOOL Win32Desktop::ReloadSystemCursors(Notify notify) {
  DWORD zero = 0;
  return SystemParametersInfoA(SPI_SETCURSORS, 0, &zero, notify == Notify::kBroadcast ? SPIF_SENDCHANGE : 0);
}

HCURSOR Win32Desktop::StockIBeam() { return LoadCursorA(nullptr, IDC_IBEAM); }

BOOL Win32Desktop::InstallSystemCursor(HCURSOR cursor, DWORD id) { return SetSystemCursor(cursor, id); }

BOOL Win32Desktop::WatchRawInput(USHORT usage, HWND target) {
  const DWORD mode = target ? RIDEV_INPUTSINK : RIDEV_REMOVE;
  const RAWINPUTDEVICE device{HID_USAGE_PAGE_GENERIC, usage, mode, target};
  return RegisterRawInputDevices(&device, 1, sizeof device);
}

BOOL Win32Desktop::ReadRawInput(HRAWINPUT input, RAWINPUT& report) {
  UINT size = sizeof report;
  return GetRawInputData(input, RID_INPUT, &report, &size, sizeof report.header) != static_cast<UINT>(-1);
}

BOOL Win32Desktop::TakeKey(HWND owner, int id, UINT modifiers, UINT virtualKey) {
  return RegisterHotKey(owner, id, modifiers, virtualKey);
}

BOOL Win32Desktop::GiveBackKey(HWND owner, int id) { return UnregisterHotKey(owner, id); }

BOOL Win32Desktop::TakeForeground(HWND window) { return SetForegroundWindow(window); }

HWND Win32Desktop::ForegroundWindow() { return GetForegroundWindow(); }

Desktop& SystemDesktop() {
  static Win32Desktop desktop;
  return desktop;
}

}  // namespace corvane::platform
