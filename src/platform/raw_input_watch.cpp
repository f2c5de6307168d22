#include "platform/raw_input_watch.h"

#include <hidusage.h>

namespace corvane::platform {

void RawInputWatch::Follow(HWND target) {
  // A new target takes over from the old one, which stops first.
  if (target_ != target) {
    target_ = nullptr;
    Apply();
  }
  target_ = target;
  Apply();
}

void RawInputWatch::ForGesture(bool on) {
  gesture_ = on;
  Apply();
}

void RawInputWatch::ForMenu(bool on) {
  menu_ = on;
  Apply();
}

void RawInputWatch::Apply() {
  // Registered anew only when what is needed changes; a failed call is tried
  // again on the next change.
  const bool wanted = target_ && (gesture_ || menu_);
  if (wanted != mouse_ && desktop_.WatchRawInput(HID_USAGE_GENERIC_MOUSE, wanted ? target_ : nullptr)) mouse_ = wanted;
}

}  // namespace corvane::platform
