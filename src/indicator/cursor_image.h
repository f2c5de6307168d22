// Cursor pictures as plain values, and how the labelled I-beam is put together
// from the user's own I-beam and the drawn label.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

// A cursor as the system draws it: where the AND bit is 1 the screen shows
// through and is XORed with the colour (so a colour other than black there
// inverts it); where it is 0 the colour covers the screen. With `alpha` the
// colour's top byte blends it onto the screen instead and the AND bits are only
// a fallback for displays without blending.
struct CursorImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> andMask;  // 0 or 1, row by row from the top
  std::vector<std::uint32_t> color;   // 0xAARRGGBB, row by row from the top
  bool alpha = false;

  // width x height (negative sizes as 0), every pixel transparent.
  static CursorImage Transparent(int width, int height, bool alpha);

  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
  // Some pixel inverts what lies under it.
  bool Inverts() const;
  friend bool operator==(const CursorImage&, const CursorImage&) = default;
};

// A drawn picture (the I-beam on a plain background with the label over it)
// and which of its pixels the label's drawing painted.
struct LabelledPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
  std::vector<std::uint8_t> ink;      // 1 where the label was drawn
};

// Whether keying out `key` turns `picture` into the right cursor: the I-beam
// neither inverts nor blends, and no label pixel has the key colour.
bool KeyingKeepsEverything(const CursorImage& iBeam, const LabelledPicture& picture, std::uint32_t key);

// The labelled cursor of width x height: `picture` stretched onto it (nearest
// pixel); the label's pixels opaque in their own colour, all others the
// I-beam's own (`iBeam` in the picture's frame). A label in the window-text
// colour takes on the I-beam's way of standing out: inverting over an
// inverting I-beam (its pixels in `labelRgb` invert, its other pixels, the
// letters in the Caps Lock box, let the screen show through), outlined in the
// contrasting colour over a blended one.
CursorImage ComposeLabelledCursor(const CursorImage& iBeam, const LabelledPicture& picture, bool windowTextLabel,
                                  std::uint32_t labelRgb, int width, int height);

}  // namespace corvane
