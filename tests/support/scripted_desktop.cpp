#include "support/scripted_desktop.h"

namespace corvane::testing {

ScriptedDesktop::~ScriptedDesktop() {
  if (installed_) DestroyCursor(installed_);
}

void ScriptedDesktop::PointAt(POINT at, HWND window, DWORD thread, HKL layout) {
  pointer = at;
  windows[{at.x, at.y}] = window;
  if (window) windowThreads[window] = thread;
  threadLayouts[thread] = layout;
}

SHORT ScriptedDesktop::KeyState(int virtualKey) {
  calls.push_back("KeyState");
  auto it = keyStates.find(virtualKey);
  return it == keyStates.end() ? 0 : it->second;
}

int ScriptedDesktop::KeyboardLayoutCount() {
  calls.push_back("KeyboardLayoutCount");
  return layoutCount;
}

BOOL ScriptedDesktop::CursorPos(POINT& point) {
  calls.push_back("CursorPos");
  if (pointerQueryFails) return FALSE;
  point = pointer;
  return TRUE;
}

HWND ScriptedDesktop::WindowAt(POINT point) {
  calls.push_back("WindowAt");
  lastWindowQuery = point;
  auto it = windows.find({point.x, point.y});
  return it == windows.end() ? nullptr : it->second;
}

DWORD ScriptedDesktop::WindowThread(HWND window) {
  calls.push_back("WindowThread");
  auto it = windowThreads.find(window);
  return it == windowThreads.end() ? 0 : it->second;
}

HKL ScriptedDesktop::ThreadLayout(DWORD threadId) {
  calls.push_back("ThreadLayout");
  lastLayoutQuery = threadId;
  auto it = threadLayouts.find(threadId);
  return it == threadLayouts.end() ? nullptr : it->second;
}

int ScriptedDesktop::CursorWidth() { return cursorWidth; }

int ScriptedDesktop::CursorHeight() { return cursorHeight; }

BOOL ScriptedDesktop::ReloadSystemCursors() {
  calls.push_back("ReloadSystemCursors");
  ++reloads;
  return TRUE;
}

HCURSOR ScriptedDesktop::StockIBeam() {
  calls.push_back("StockIBeam");
  return stockIBeam;
}

BOOL ScriptedDesktop::InstallSystemCursor(HCURSOR cursor, DWORD id) {
  calls.push_back("InstallSystemCursor");
  installs.push_back({cursor, id});
  if (!cursor || refuseInstalls) return FALSE;
  // The system keeps the new cursor and destroys the one it replaces.
  if (installed_) DestroyCursor(installed_);
  installed_ = cursor;
  return TRUE;
}

}  // namespace corvane::testing
