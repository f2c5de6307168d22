// Whether another instance of the program runs: a named mutex that every
// instance creates and holds for its whole life.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace corvane {

// The program's mark in the user's session; the same for every copy of the
// executable, wherever it lies.
inline constexpr char kInstanceMarkName[] = "Local\\Halvorn.Corvane.Instance";

class InstanceMark {
 public:
  explicit InstanceMark(const char* name = kInstanceMarkName);
  InstanceMark(const InstanceMark&) = delete;
  InstanceMark& operator=(const InstanceMark&) = delete;

  // True when the mark already existed: an earlier instance holds it.
  bool PreviousInstance() const noexcept { return previous_; }

 private:
  platform::Owned<HANDLE, &CloseHandle> mutex_;
  bool previous_ = false;
};

// What became of a running instance asked to end.
enum class InstanceEnd { kNoneRan, kEnded, kStillRuns };

// Ends the running instance the way a close request from another program does
// (WM_CLOSE to its window of `windowClass`, which puts the user's cursors
// back) and waits up to `timeoutMs` milliseconds for its process to end. An
// instance that cannot be asked (an elevated one, seen from a program that is
// not) still runs when the time is up.
InstanceEnd EndRunningInstance(const char* windowClass, DWORD timeoutMs, const char* markName = kInstanceMarkName);

}  // namespace corvane
