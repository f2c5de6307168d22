// The indicator: the polling tick, the two drawing surfaces and the rendering
// of the language label onto the system I-beam cursor.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "indicator/cursor_image.h"
#include "indicator/surface.h"
#include "platform/desktop.h"
#include "platform/handles.h"

namespace corvane {

// The label for a keyboard layout: the ISO 639 name of its language (low
// 16 bits) in upper case, or kUnknownLanguageLabel when the system has none.
std::string LayoutLabel(DWORD layout);

class Indicator {
 public:
  static constexpr int kLeftShift = 0xA0;     // VK_LSHIFT
  static constexpr int kMiddleButton = 0x04;  // VK_MBUTTON
  static constexpr DWORD kIBeamCursorId = 32513;  // OCR_IBEAM

  // `openControlMenu` runs on the tick that sees left Shift and the middle
  // button down; it may be empty until the menu exists.
  explicit Indicator(platform::Desktop& desktop, std::function<void()> openControlMenu = {});
  Indicator(const Indicator&) = delete;
  Indicator& operator=(const Indicator&) = delete;

  // Element 0 is the template (the stock I-beam on white), element 1 the work
  // surface the label is drawn on; its font and colour are the label's.
  std::array<Surface, 2> pbCursor;

  // The layout last drawn; 0 until the first tick that sees two layouts.
  DWORD LastLayout() const { return lastLayout_; }
  // The stock I-beam's icon information, captured by PrepareSurfaces.
  const ICONINFO& IBeamInfo() const { return iBeam_.info; }

  // Once, after element 0 has its label font and colour: sizes element 0 to
  // the system cursor, makes element 1 its copy, reloads the system cursors
  // and makes the user's I-beam on white the template's picture.
  void PrepareSurfaces();

  // Draws the label of LastLayout() on the I-beam and installs the result as
  // the system I-beam.
  void UpdateIndicator();

  // The 100 ms tick: opens the control menu on the gesture, otherwise redraws
  // when the layout under the pointer has changed.
  void toLang_Timer();

 private:
  platform::Desktop& desktop_;
  std::function<void()> openControlMenu_;
  DWORD lastLayout_ = 0;
  platform::IconInfo iBeam_;
  // The user's I-beam as it lies in the template, with its own planes.
  CursorImage iBeamImage_;
};

}  // namespace corvane
