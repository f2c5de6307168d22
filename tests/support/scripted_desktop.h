// A scripted stand-in for the keyboard, pointer and system-cursor services:
// tests set what each query answers and read back what the program asked for.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace corvane::testing {

class ScriptedDesktop final : public platform::Desktop {
 public:
  ScriptedDesktop() = default;
  ~ScriptedDesktop() override;
  ScriptedDesktop(const ScriptedDesktop&) = delete;
  ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;

  // Script.
  std::map<int, SHORT> keyStates;          // missing keys are up
  int layoutCount = 2;
  bool pointerQueryFails = false;
  POINT pointer{10, 20};
  std::map<std::pair<LONG, LONG>, HWND> windows;  // missing points: no window
  std::map<HWND, DWORD> windowThreads;            // missing windows: thread 0
  std::map<DWORD, HKL> threadLayouts;             // missing threads: layout 0
  int cursorWidth = 32;
  int cursorHeight = 32;
  HCURSOR stockIBeam = LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));
  bool refuseInstalls = false;  // InstallSystemCursor fails and keeps nothing

  // As the system reports a held key: its state byte (0x80 down, 0x01 toggled) sign-extended.
  void Press(int virtualKey) { keyStates[virtualKey] = static_cast<SHORT>(0xFF81); }
  void Release(int virtualKey) { keyStates.erase(virtualKey); }
  // The pointer is over `window`, owned by thread `thread` whose layout is `layout`.
  void PointAt(POINT at, HWND window, DWORD thread, HKL layout);

  // Record.
  struct Install {
    HCURSOR cursor;
    DWORD id;
  };
  std::vector<std::string> calls;     // every query, by name, in order
  std::vector<Install> installs;      // every InstallSystemCursor call
  int reloads = 0;
  POINT lastWindowQuery{-1, -1};
  DWORD lastLayoutQuery = 0xFFFFFFFF;
  // The installed cursor, still alive for inspection (the fake owns it as the system would).
  HCURSOR InstalledCursor() const { return installed_; }

  SHORT KeyState(int virtualKey) override;
  int KeyboardLayoutCount() override;
  BOOL CursorPos(POINT& point) override;
  HWND WindowAt(POINT point) override;
  DWORD WindowThread(HWND window) override;
  HKL ThreadLayout(DWORD threadId) override;
  int CursorWidth() override;
  int CursorHeight() override;
  BOOL ReloadSystemCursors() override;
  HCURSOR StockIBeam() override;
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD id) override;

 private:
  HCURSOR installed_ = nullptr;
};

}  // namespace corvane::testing
