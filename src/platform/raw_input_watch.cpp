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
  const auto watch = [this](USHORT usage, bool wanted, bool& registered) {
    if (wanted != registered && desktop_.WatchRawInput(usage, wanted ? target_ : nullptr)) registered = wanted;
  };
  watch(HID_USAGE_GENERIC_MOUSE, target_ && (gesture_ || menu_), mouse_);
  watch(HID_USAGE_GENERIC_KEYBOARD, target_ && menu_, keyboard_);
}

}  // namespace corvane::platform
