// Reading GDI results back for assertions, and an honest GDI leak probe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::testing {

// Pixels as 0x00RRGGBB, row by row from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// 0x00RRGGBB of a COLORREF (0x00BBGGRR).
constexpr uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Reads any bitmap (not selected into a DC) as 32-bit pixels; monochrome bits read as 0 or 0xFFFFFF.
Image ReadBitmap(HBITMAP bitmap);

struct IconPlanes {
  bool isIcon = false;
  DWORD hotX = 0;
  DWORD hotY = 0;
  Image mask;
  Image color;
  int maskBitsPerPixel = 0;
};
// GetIconInfo plus both planes read back; the bitmaps it returns are freed.
IconPlanes ReadIcon(HICON icon);

// Writes the cursor as a 24-bit BMP, transparent pixels shown on a grey checkerboard.
void WriteCursorImage(const std::string& path, const IconPlanes& planes);

// The slots (low 16 bits, sorted) that the next `count` GDI objects would get.
// Wine hands out freed slots again before new ones, so every object alive in
// addition raises the highest of them by one, while live objects that merely
// moved to other slots (Wine's caches of the last icon and DC) leave it alone:
// compare back() before and after.
std::vector<unsigned> NextGdiSlots(int count = 64);

// How many of the slots in `before` (from NextGdiSlots) are taken in `after`:
// the GDI objects that came into being in between and are still alive. Wine
// keeps one or two objects of its own alive for a while (caches of the last
// icon and DC), so a leak-free loop reads 0-2 whatever its length, while a
// loop that leaks even once in a thousand calls reads its whole count.
std::size_t SlotsTaken(const std::vector<unsigned>& before, const std::vector<unsigned>& after);

// A device-dependent bitmap of the given size filled with one colour.
HBITMAP MakeFilledBitmap(int width, int height, COLORREF color);

// Paints one pixel of a bitmap (not selected anywhere).
void SetBitmapPixel(HBITMAP bitmap, int x, int y, COLORREF color);

// Stand-ins for the user's I-beam, 32 x 32 with the hot spot (4, 10) and the
// beam in columns 4-5, rows 2-21. kPlain: a black beam with a white outline,
// nothing inverting or translucent; kInverting: a monochrome cursor whose beam
// inverts the screen; kTranslucent: 32-bit, a black beam with half-transparent
// white edges in columns 3 and 6.
enum class IBeam { kPlain, kInverting, kTranslucent };
HCURSOR MakeIBeam(IBeam kind);

}  // namespace corvane::testing
