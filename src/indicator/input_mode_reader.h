// The input method's mode in the window whose layout the label shows, read
// for Chinese, Japanese and Korean layouts only, and only when it can have
// changed, so that an idle user's program is not woken ten times a second.
#pragma once

#include <windows.h>
#include <imm.h>

#include <cstdint>

#include "indicator/input_mode.h"
#include "platform/desktop.h"

// The two WM_IME_CONTROL commands MinGW's imm.h lacks.
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#endif
#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif

namespace corvane {

// The character set the labels of `script` are drawn in when the label's font lacks their glyphs.
BYTE ScriptCharset(InputScript script);

class InputModeReader {
 public:
  // How long one question may wait for an answer: short, and never 0, which
  // some systems take as no limit.
  static constexpr UINT kTimeoutMs = 30;
  // The ticks a window that let a question time out is left alone (about three seconds).
  static constexpr int kQuietTicks = 30;

  explicit InputModeReader(platform::Desktop& desktop) : desktop_(desktop) {}

  // Once a tick: the mode to show for `layout` in `window`. For a layout of
  // no script with modes nothing is asked and the answer is kNone. Otherwise
  // the input method is asked when the window or the layout changed, or when
  // input came since it last answered (on the two ticks after an input, so a
  // key the program has yet to handle is caught too). After a time-out the
  // mode shown stays and the window is left alone for kQuietTicks; a
  // definite failure gives kNone, the layout's own label.
  InputMode Read(DWORD layout, HWND window);

 private:
  platform::Desktop& desktop_;
  DWORD layout_ = 0;
  HWND window_ = nullptr;
  // The last input's tick count when the method last answered, and whether
  // it had not changed since the answer before: then no question is due.
  DWORD input_ = 0;
  bool settled_ = false;
  InputMode mode_ = InputMode::kNone;
  HWND quietWindow_ = nullptr;
  int quietTicks_ = 0;
};

}  // namespace corvane
