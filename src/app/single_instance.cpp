#include "app/single_instance.h"

namespace corvane {

namespace {

// The mark exists while an instance lives, also one that is starting or ending.
bool InstanceRuns(const char* markName) {
  const platform::Owned<HANDLE, &CloseHandle> mark(OpenMutexA(SYNCHRONIZE, FALSE, markName));
  return mark || GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace

InstanceMark::InstanceMark(const char* name) : mutex_(CreateMutexA(nullptr, FALSE, name)) {
  // Also true when the mark exists but is another user's to open.
  const DWORD error = GetLastError();
  previous_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

InstanceEnd EndRunningInstance(const char* windowClass, DWORD timeoutMs, const char* markName) {
  constexpr DWORD kPollMs = 100;
  bool asked = false;
  for (const DWORD start = GetTickCount();;) {
    if (!InstanceRuns(markName)) return asked ? InstanceEnd::kEnded : InstanceEnd::kNoneRan;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return InstanceEnd::kStillRuns;
    HWND window = FindWindowA(windowClass, nullptr);
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    const platform::Owned<HANDLE, &CloseHandle> process(processId ? OpenProcess(SYNCHRONIZE, FALSE, processId)
                                                                   : nullptr);
    if (window && PostMessageA(window, WM_CLOSE, 0, 0)) asked = true;
    // Without a window yet (starting) or a process to wait for, look again shortly.
    if (!process || WaitForSingleObject(process.get(), timeoutMs - elapsed) != WAIT_OBJECT_0) Sleep(kPollMs);
  }
}

}  // namespace corvane
