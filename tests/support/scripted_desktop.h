// A scripted stand-in for the keyboard, pointer and system-cursor services:
// tests set what each query answers and read back what the program asked for.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/handles.h"

namespace corvane::testing {

class ScriptedDesktop final : public platform::Desktop {
 public:
  // Script.
  std::map<int, SHORT> keyStates;          // missing keys are up
  int layoutCount = 2;
  POINT pointer{10, 20};
  std::map<std::pair<LONG, LONG>, HWND> windows;  // missing points: no window
  std::map<HWND, DWORD> windowThreads;            // missing windows: thread 0
  std::map<DWORD, HKL> threadLayouts;             // missing threads: layout 0
  std::optional<BOOL> perWindowInput;     // the input scope read: empty fails, as before Windows 8
  GUITHREADINFO foreground{};             // what the foreground thread reports; the program's own thread is 1
  int cursorWidth = 32;
  int cursorHeight = 32;
  HCURSOR stockIBeam = LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));
  std::map<HRAWINPUT, RAWINPUT> rawReports;  // missing handles: unreadable
  std::map<HWND, HWND> imeWindows;  // missing windows: no input method window
  // The input method window's answer to each command: the error, and the value on success.
  std::map<WPARAM, std::pair<DWORD, DWORD_PTR>> imeAnswers;
  DWORD lastInput = 0;
  UINT keyHeldElsewhere = 0;                 // a virtual key another program holds as a hot key
  bool foregroundRefused = false;            // as Windows refuses a program that had not the last input
  HWND foregroundWindow = nullptr;           // the window in front, until a window takes the foreground
  bool installsStick = false;  // the I-beam shown becomes the installed one, as on Windows (Wine ignores installs)
  // Another program reloads the cursors unannounced, or shows its own I-beam.
  void Reload(HCURSOR own = nullptr) { shown_ = own; }

  // As the system reports a held key: its state byte (0x80 down, 0x01 toggled) sign-extended.
  void Press(int virtualKey) { keyStates[virtualKey] = static_cast<SHORT>(0xFF81); }
  // The pointer is over `window`, owned by thread `thread` whose layout is `layout`.
  void PointAt(POINT at, HWND window, DWORD thread, HKL layout) {
    pointer = at;
    windows[{at.x, at.y}] = window;
    if (window) windowThreads[window] = thread;
    threadLayouts[thread] = layout;
  }

  // Record.
  std::vector<std::string> calls;  // every query, by name, in order
  std::vector<DWORD> installs;     // the cursor id of every InstallSystemCursor call
  int reloads = 0;
  std::map<USHORT, HWND> rawInput;  // the window each watched raw device reports to
  std::vector<HWND> imeAsked;       // the window of every input method question, each time
  std::map<int, std::pair<UINT, UINT>> keysTaken;  // by hot key id: modifiers and virtual key
  std::vector<HWND> foregroundAsked;               // each window asked to take the foreground
  // The installed cursor, still alive for inspection (the fake owns it as the system would).
  HCURSOR InstalledCursor() const { return installed_.get(); }

  SHORT KeyState(int virtualKey) override { return Record("KeyState", keyStates, virtualKey); }
  int KeyboardLayoutCount() override { return Record("KeyboardLayoutCount", layoutCount); }
  BOOL CursorPos(POINT& point) override {
    calls.push_back("CursorPos");
    point = pointer;
    return TRUE;
  }
  HWND WindowAt(POINT point) override { return Record("WindowAt", windows, {point.x, point.y}); }
  DWORD WindowThread(HWND window) override { return Record("WindowThread", windowThreads, window); }
  HKL ThreadLayout(DWORD threadId) override { return Record("ThreadLayout", threadLayouts, threadId); }
  BOOL ThreadLocalInput(BOOL& perWindow) override { return perWindowInput && (perWindow = *perWindowInput, TRUE); }
  BOOL ForegroundThreadInfo(GUITHREADINFO& info) override { return info = foreground, TRUE; }
  DWORD CurrentThread() override { return 1; }
  HWND ImeWindow(HWND window) override { return imeAsked.push_back(window), Record("ImeWindow", imeWindows, window); }
  DWORD ImeControl(HWND, WPARAM command, UINT, DWORD_PTR& result) override {
    const auto [error, answer] = Record("ImeControl", imeAnswers, command);
    return result = answer, error;
  }
  BOOL LastInput(DWORD& tickCount) override { return tickCount = Record("LastInput", lastInput), TRUE; }
  int CursorWidth() override { return cursorWidth; }
  int CursorHeight() override { return cursorHeight; }
  BOOL ReloadSystemCursors(Notify notify) override {
    calls.push_back(notify == Notify::kBroadcast ? "ReloadSystemCursors" : "ReloadSystemCursors quietly");
    ++reloads;
    shown_ = nullptr;
    // As the system does, this thread's windows hear of it before the call returns.
    if (notify == Notify::kBroadcast) EnumThreadWindows(GetCurrentThreadId(), &Announce, 0);
    return TRUE;
  }
  HCURSOR StockIBeam() override { return Record("StockIBeam", shown_ ? shown_ : stockIBeam); }
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD id) override {
    calls.push_back("InstallSystemCursor");
    installs.push_back(id);
    if (!cursor) return FALSE;
    installed_.reset(cursor);  // the system keeps the new cursor and destroys the one it replaces
    if (installsStick) shown_ = cursor;
    return TRUE;
  }
  BOOL WatchRawInput(USHORT usage, HWND target) override {
    return target ? !!(rawInput[usage] = target) : !!rawInput.erase(usage);
  }
  BOOL ReadRawInput(HRAWINPUT input, RAWINPUT& report) override {
    return rawReports.count(input) ? (report = rawReports[input], TRUE) : FALSE;
  }
  BOOL TakeKey(HWND, int id, UINT mods, UINT key) override {
    return key != keyHeldElsewhere && keysTaken.emplace(id, std::pair(mods, key)).second;
  }
  BOOL GiveBackKey(HWND, int id) override { return static_cast<BOOL>(keysTaken.erase(id)); }
  BOOL TakeForeground(HWND w) override { return foregroundAsked.push_back(w), !foregroundRefused && (foregroundWindow = w); }
  HWND ForegroundWindow() override { return foregroundWindow; }

 private:
  // Records the query and gives its scripted answer: `answer`, or what `map` holds for `key`, or nothing.
  template <class T>
  T Record(const char* query, T answer) {
    calls.push_back(query);
    return answer;
  }
  template <class Map>
  typename Map::mapped_type Record(const char* query, const Map& map, const typename Map::key_type& key) {
    const auto it = map.find(key);
    return Record(query, it == map.end() ? typename Map::mapped_type{} : it->second);
  }

  static BOOL CALLBACK Announce(HWND window, LPARAM) {
    SendMessageA(window, WM_SETTINGCHANGE, SPI_SETCURSORS, 0);
    return TRUE;
  }

  platform::Icon installed_;  // a cursor, owned as the system owns it
  HCURSOR shown_ = nullptr;   // the system's I-beam when not stockIBeam
};

}  // namespace corvane::testing
