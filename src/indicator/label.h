// The language label and where it goes: plain values in, plain values out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "storage/fixed_point.h"

namespace corvane {

// Shown when the system knows no ISO 639 name for the layout's language:
// visible on the cursor, and plainly not a language code.
inline constexpr const char* kUnknownLanguageLabel = "??";

// The label from the four-character buffer the locale query filled (it starts
// as four spaces) and the query's result (characters written including the
// terminating null; 0 on failure). "en\0 " gives "EN", "haw\0" gives "HAW".
// A failed query or a buffer without a name gives kUnknownLanguageLabel.
std::string LabelFromLocaleName(const std::array<char, 4>& buffer, int result);

struct LabelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(LabelPoint, LabelPoint) = default;
};

// Top-left corner of a label tw x th on a surface width x height: its right
// edge 2 pixels inside the right edge, its bottom on the bottom edge. Negative
// when the label does not fit; the drawing is then clipped.
constexpr LabelPoint LabelOrigin(int width, int height, int tw, int th) {
  return {width - tw - 2, height - th};
}

// The character height (negative: without internal leading) of a font of the
// given size in points at `dpi` pixels per inch, to the nearest pixel.
int FontHeightForPoints(Fixed points, int dpi);

// A colour value with the top bit set names a system colour by the index in
// its low byte; empty for a plain 0x00BBGGRR colour.
std::optional<int> SystemColorIndex(std::int32_t color);

// The 0x00BBGGRR of a plain colour value (the unused high byte dropped).
constexpr std::uint32_t PlainColor(std::int32_t color) { return static_cast<std::uint32_t>(color) & 0x00FFFFFFu; }

// Whether a colour looks light: its brightness weighted as for television.
constexpr bool IsLight(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return 299 * red + 587 * green + 114 * blue >= 128 * 1000;
}

}  // namespace corvane
