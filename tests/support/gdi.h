// Reading GDI results back for assertions, and an honest GDI leak probe.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/handles.h"

namespace corvane::testing {

// Pixels as 0x00RRGGBB, row by row from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  bool operator==(const Image&) const = default;
};

// Any bitmap not selected into a DC; monochrome bits read as 0 or 0xFFFFFF.
inline Image ReadBitmap(HBITMAP bitmap) {
  BITMAP description{};
  GetObjectA(bitmap, sizeof description, &description);
  Image image{description.bmWidth, description.bmHeight, {}};
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  GetDIBits(platform::WindowDc().get(), bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
  for (auto& p : image.pixels) p &= 0xFFFFFF;
  return image;
}

// A cursor or icon read back.
struct IconPlanes {
  DWORD hotX = 0;
  DWORD hotY = 0;
  Image mask;  // 0xFFFFFF where transparent, 0 where opaque
  Image color;
  bool opaque(int x, int y) const { return mask.at(x, y) == 0; }
  bool operator==(const IconPlanes&) const = default;
};

inline IconPlanes ReadIcon(HICON icon) {
  platform::IconInfo info;
  if (!platform::QueryIconInfo(icon, info)) return {};
  return {info.info.xHotspot, info.info.yHotspot, ReadBitmap(info.mask.get()), ReadBitmap(info.color.get())};
}

// How many pixels of an image match(x, y) picks.
inline int Count(const Image& image, const std::function<bool(int x, int y)>& match) {
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) count += match(x, y) ? 1 : 0;
  return count;
}

// The slots (low 16 bits, sorted) that the next `count` GDI objects would get.
// Wine hands out freed slots again before new ones, so every object alive in
// addition raises the highest of them by one, while live objects that merely
// moved to other slots (Wine's caches of the last icon and DC) leave it alone:
// compare back() before and after.
inline std::vector<unsigned> NextGdiSlots(int count = 64) {
  std::vector<HBRUSH> probes;
  std::vector<unsigned> slots;
  for (int i = 0; i < count; ++i) {
    probes.push_back(CreateSolidBrush(RGB(1, 2, 3)));
    slots.push_back(static_cast<unsigned>(reinterpret_cast<uintptr_t>(probes.back()) & 0xFFFF));
  }
  // Freed in reverse, the slots go back in the order they were found.
  for (auto it = probes.rbegin(); it != probes.rend(); ++it) DeleteObject(*it);
  std::sort(slots.begin(), slots.end());
  return slots;
}

// A measure of the GDI objects alive in this process, to compare before and
// after: their count where the system keeps one (Windows), else the highest
// next slot (Wine, whose GetGuiResources returns 0).
inline unsigned GdiObjectsAlive() {
  const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return count ? count : NextGdiSlots().back();
}

// A bitmap of the screen's format holding `image`.
inline HBITMAP MakeBitmap(const Image& image) {
  return CreateBitmap(image.width, image.height, 1, 32, image.pixels.data());
}

// Stand-ins for the user's I-beam, 32 x 32 with the hot spot (4, 10) and the
// beam in columns 4-5, rows 2-21, or that picture at n x n (hot spot
// and beam scaled alike). kPlain: a black beam with a white outline, nothing
// inverting or translucent; kInverting: a monochrome cursor whose beam inverts
// the screen; kTranslucent: 32-bit, a black beam with half-transparent white
// edges in columns 3 and 6.
enum class IBeam { kPlain, kInverting, kTranslucent };
inline HCURSOR MakeIBeam(IBeam kind, int n = 32) {
  auto beam = [n](int x, int y) { return x * 32 / n >= 4 && x * 32 / n <= 5 && y * 32 / n >= 2 && y * 32 / n <= 21; };
  auto edge = [n](int x, int y) { return x * 32 / n >= 3 && x * 32 / n <= 6 && y * 32 / n >= 1 && y * 32 / n <= 22; };
  const DWORD hotX = 4 * n / 32, hotY = 10 * n / 32;
  const int stride = (n + 15) / 16 * 2;
  // Rows of `stride` bytes, most significant bit first; AND 1 lets the screen through, XOR 1 is white or inverts.
  // The 32-bit picture blends by its alpha alone, so its AND plane stays clear.
  std::vector<BYTE> andPlane(stride * n, 0xFF), xorPlane(stride * n, 0);
  std::vector<uint32_t> pixels(n * n, 0);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      const bool inBeam = beam(x, y), opaque = kind == IBeam::kPlain && edge(x, y);
      if (opaque) andPlane[y * stride + x / 8] &= static_cast<BYTE>(~bit);
      if ((opaque && !inBeam) || (kind == IBeam::kInverting && inBeam)) xorPlane[y * stride + x / 8] |= bit;
      if (edge(x, y)) pixels[y * n + x] = inBeam ? 0xFF000000 : 0x80FFFFFF;
    }
  if (kind == IBeam::kTranslucent) {
    platform::Bitmap color(CreateBitmap(n, n, 1, 32, pixels.data())), mask(CreateBitmap(n, n, 1, 1, andPlane.data()));
    ICONINFO info{FALSE, hotX, hotY, mask.get(), color.get()};
    return CreateIconIndirect(&info);
  }
  return CreateCursor(GetModuleHandleA(nullptr), static_cast<int>(hotX), static_cast<int>(hotY), n, n,
                      andPlane.data(), xorPlane.data());
}

}  // namespace corvane::testing
