// The consent window's text and layout, as plain values.
#pragma once

#include <string>

namespace corvane {

// Three paragraphs, each indented by eight blanks, separated by an empty line
// (CR LF CR LF), with no line break at the end.
std::string ConsentText();

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct ConsentLayout {
  PixelRect ibStart;  // the icon; its left and top are the margin
  PixelRect tbStart;
  PixelRect bbYes;
  PixelRect bbNo;
  int clientWidth = 0;
  int clientHeight = 0;
};

// Half of a length in twips, taken to the nearest whole twip first and then
// halved with truncation toward zero (2347.5 -> 1174, 4695 -> 2347).
long HalfOfWholeTwips(double twips);

// The window works in twips: its constants, pixels at 96 DPI, are 15 twips
// each, so the window grows with the screen's DPI; the icon (iconWidth x
// iconHeight, in screen pixels) is converted with the screen's twips per pixel
// of each axis, and the results are turned back into pixels (to the nearest)
// where the controls are placed.
ConsentLayout LayOutConsent(double twipsPerPixelX, double twipsPerPixelY, int iconWidth, int iconHeight);

}  // namespace corvane
