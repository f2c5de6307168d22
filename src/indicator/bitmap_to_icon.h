// Turning a picture and one transparent colour into a cursor or an icon.
#pragma once

#include <windows.h>

#include "platform/desktop.h"

namespace corvane {

// 1 for true (any non-zero value), 0 for false.
constexpr SHORT BoolToInt(long value) { return value != 0 ? 1 : 0; }

// Builds a cursor (AsCursor) or an icon from hBitmap: pixels of TransColor
// become transparent, all others keep their colour. TransColor -1 takes the
// colour of the top-left pixel. The source is stretched to the result's size.
// A cursor is NewWidth x NewHeight (0: the system cursor size) with the hot
// spot (HotX, HotY), where a negative coordinate means the centre; an icon is
// NewWidth x NewHeight (0: the source's size) with hot spot (0, 0). Returns 0
// for a null or non-bitmap source. The caller owns the result; everything else
// made here is freed here.
HICON BitmapToIcon(HBITMAP hBitmap, LONG TransColor, SHORT NewWidth, SHORT NewHeight, SHORT HotX, SHORT HotY,
                   bool AsCursor, platform::Desktop& desktop = platform::SystemDesktop());

}  // namespace corvane
