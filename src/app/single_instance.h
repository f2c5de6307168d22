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

}  // namespace corvane
