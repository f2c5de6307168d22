// The labelled I-beam as a cursor: the user's own I-beam, with its inverting
// and translucent pixels, and the label drawn over it.
#pragma once

#include <windows.h>

#include "indicator/cursor_image.h"
#include "indicator/surface.h"
#include "platform/desktop.h"

namespace corvane {

// The planes of a cursor as GetIconInfo hands them out: a monochrome cursor's
// mask is twice as high, AND plane above XOR plane. Empty when unreadable.
CursorImage ReadCursorImage(const ICONINFO& info);

// A cursor from an image, with the hot spot (hotX, hotY); 0 on failure. The
// caller owns it.
HICON CreateCursorFromImage(const CursorImage& image, DWORD hotX, DWORD hotY);

// The cursor for the work surface's picture (the template's I-beam on its
// background with the label over it, the label in `labelColor`), of the work
// surface's size, with the hot spot (hotX, hotY) (negative: the centre).
// `iBeam` is the user's I-beam as it lies in the template. When keying out the
// background keeps every pixel right, the cursor is exactly BitmapToIcon's.
HICON ComposeCursor(const Surface& work, std::int32_t labelColor, const CursorImage& iBeam, SHORT hotX, SHORT hotY,
                    platform::Desktop& desktop);

}  // namespace corvane
