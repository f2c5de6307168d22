// Session changes (a lock or unlock, a console or remote connection) reported
// to a window as WM_WTSSESSION_CHANGE, through wtsapi32, which is loaded from
// the system folder while a window is registered. Where it cannot be loaded
// nothing is reported.
#pragma once

#include <windows.h>

#include "platform/system_library.h"

namespace corvane::platform {

class SessionWatch {
 public:
  SessionWatch() = default;
  ~SessionWatch() { Follow(nullptr); }
  SessionWatch(const SessionWatch&) = delete;
  SessionWatch& operator=(const SessionWatch&) = delete;

  // The window the changes go to from now on; null stops them, and must come
  // before that window is destroyed.
  void Follow(HWND target);

 private:
  Library library_;
  HWND target_ = nullptr;
};

}  // namespace corvane::platform
