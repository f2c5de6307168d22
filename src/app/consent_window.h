// The consent window's controls on fwMain: the program's picture, the text
// box and the Yes and No buttons, with the text's font.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace corvane {

class ConsentControls {
 public:
  // Control ids: Enter and Escape reach the buttons as IDOK and IDCANCEL.
  static constexpr int kbbYesId = IDOK;
  static constexpr int kbbNoId = IDCANCEL;
  static constexpr int ktbStartId = 101;
  static constexpr int kibStartId = 102;
  // The picture: the program's icon, 32 x 32 at 96 DPI.
  static constexpr int kPictureSize = 32;

  // Creates the controls in `window`, Yes first in the tab order.
  void Create(HWND window, HINSTANCE instance);
  // Places the controls for the screen's DPI, gives `window` the client area
  // they need and centres it on the screen.
  void LayOut(HWND window) const;

  HWND ibStart = nullptr;
  HWND tbStart = nullptr;
  HWND bbYes = nullptr;
  HWND bbNo = nullptr;

 private:
  platform::Icon picture_;
  platform::Font textFont_;
};

}  // namespace corvane
