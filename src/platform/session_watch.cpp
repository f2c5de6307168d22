#include "platform/session_watch.h"

#include <wtsapi32.h>

namespace corvane::platform {

void SessionWatch::Follow(HWND target) {
  if (target_) {
    if (auto stop = LibraryFunction<BOOL(WINAPI*)(HWND)>(library_, "WTSUnRegisterSessionNotification")) stop(target_);
    target_ = nullptr;
  }
  library_.reset();
  if (!target) return;
  library_ = LoadSystemLibrary("wtsapi32.dll");
  const auto start = LibraryFunction<BOOL(WINAPI*)(HWND, DWORD)>(library_, "WTSRegisterSessionNotification");
  if (start && start(target, NOTIFY_FOR_THIS_SESSION))
    target_ = target;
  else
    library_.reset();
}

}  // namespace corvane::platform
