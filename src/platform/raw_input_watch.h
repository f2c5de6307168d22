// Which raw input the program listens to, and for what. The menu gesture needs
// the mouse while the left Shift key is down; the open control menu needs it
// to close on a press outside it (its keys come as hot keys). Nothing is
// registered otherwise, so ordinary typing and pointing cost nothing.
#pragma once

#include <windows.h>

#include "platform/desktop.h"

namespace corvane::platform {

class RawInputWatch {
 public:
  explicit RawInputWatch(Desktop& desktop) : desktop_(desktop) {}
  RawInputWatch(const RawInputWatch&) = delete;
  RawInputWatch& operator=(const RawInputWatch&) = delete;

  // The window the reports go to; null stops them all.
  void Follow(HWND target);
  // The left Shift key is down.
  void ForGesture(bool on);
  // The control menu is open.
  void ForMenu(bool on);

 private:
  void Apply();

  Desktop& desktop_;
  HWND target_ = nullptr;
  bool gesture_ = false;
  bool menu_ = false;
  // What is registered now.
  bool mouse_ = false;
};

}  // namespace corvane::platform
