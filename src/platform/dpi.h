// The screen's resolution: the one place the program reads it.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace corvane::platform {

// Pixels per logical inch, horizontally and vertically.
struct Dpi {
  int x = 0;
  int y = 0;
};

inline Dpi ScreenDpi() {
  const WindowDc screen;
  return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

// A length designed in pixels at 96 DPI, in pixels at the screen's DPI.
inline int ScaledForScreen(int pixelsAt96) { return MulDiv(pixelsAt96, ScreenDpi().y, USER_DEFAULT_SCREEN_DPI); }

}  // namespace corvane::platform
