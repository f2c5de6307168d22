#include "indicator/cursor_composition.h"

#include <cstring>
#include <vector>

#include "indicator/bitmap_to_icon.h"
#include "indicator/label.h"
#include "platform/handles.h"

namespace corvane {

namespace {

using platform::Bitmap;

// A bitmap's pixels as 0xAARRGGBB, rows from the top; monochrome bits read as black or white.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  BITMAPINFO info{};
  info.bmiHeader = platform::DibHeader(width, height, 32);
  platform::WindowDc screen;
  if (GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
  return pixels;
}

constexpr std::uint32_t kRgb = 0x00FFFFFF;

}  // namespace

CursorImage ReadCursorImage(const ICONINFO& info) {
  BITMAP mask{};
  if (!info.hbmMask || !GetObjectA(info.hbmMask, sizeof mask, &mask)) return {};
  CursorImage image;
  image.width = mask.bmWidth;
  image.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  const std::vector<std::uint32_t> maskPixels = ReadPixels(info.hbmMask, mask.bmWidth, mask.bmHeight);
  std::vector<std::uint32_t> colorPixels;
  if (info.hbmColor) {
    BITMAP color{};
    if (!GetObjectA(info.hbmColor, sizeof color, &color) || color.bmWidth != image.width ||
        color.bmHeight != image.height)
      return {};
    colorPixels = ReadPixels(info.hbmColor, color.bmWidth, color.bmHeight);
    // As the system does: a 32-bit colour plane with any alpha byte set blends.
    if (color.bmBitsPixel == 32)
      for (std::uint32_t p : colorPixels) image.alpha = image.alpha || (p >> 24) != 0;
  } else if (!maskPixels.empty()) {
    colorPixels.assign(maskPixels.begin() + static_cast<std::ptrdiff_t>(image.width) * image.height, maskPixels.end());
  }
  const std::size_t size = static_cast<std::size_t>(image.width) * image.height;
  if (maskPixels.size() < size || colorPixels.size() != size) return {};
  image.andMask.resize(size);
  image.color.resize(size);
  for (std::size_t i = 0; i < size; ++i) {
    image.andMask[i] = (maskPixels[i] & kRgb) != 0 ? 1 : 0;
    image.color[i] = image.alpha ? colorPixels[i] : colorPixels[i] & kRgb;
  }
  return image;
}

HICON CreateCursorFromImage(const CursorImage& image, DWORD hotX, DWORD hotY) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  // The AND plane as CreateBitmap takes it: one bit a pixel, rows padded to 16 bits.
  const int maskStride = (image.width + 15) / 16 * 2;
  std::vector<BYTE> maskBits(static_cast<std::size_t>(maskStride) * image.height, 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.andMask[image.index(x, y)]) maskBits[y * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
  Bitmap mask(CreateBitmap(image.width, image.height, 1, 1, maskBits.data()));

  BITMAPINFO info{};
  info.bmiHeader = platform::DibHeader(image.width, image.height, 32);
  void* bits = nullptr;
  Bitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!mask || !color || !bits) return nullptr;
  std::memcpy(bits, image.color.data(), image.color.size() * sizeof image.color[0]);

  ICONINFO icon{};
  icon.fIcon = FALSE;
  icon.xHotspot = hotX;
  icon.yHotspot = hotY;
  icon.hbmMask = mask.get();
  icon.hbmColor = color.get();
  // The system copies both planes; ours go when this returns.
  return CreateIconIndirect(&icon);
}

HICON ComposeCursor(const Surface& work, std::int32_t labelColor, const CursorImage& iBeam, SHORT hotX, SHORT hotY,
                    platform::Desktop& desktop) {
  if (!work.Picture()) return nullptr;
  // The background colour is named rather than read from the top-left pixel:
  // an I-beam or a large label covering that corner would otherwise turn the
  // whole background opaque and the corner's colour transparent.
  const COLORREF key = Surface::Resolve(work.BackColor());
  const LabelledPicture picture = work.ReadPicture();
  const std::uint32_t keyRgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  // The cursor keeps the picture's size, which is the I-beam's own.
  const int width = work.Width();
  const int height = work.Height();
  if (KeyingKeepsEverything(iBeam, picture, keyRgb))
    return BitmapToIcon(work.Picture(), static_cast<LONG>(key), static_cast<SHORT>(width),
                        static_cast<SHORT>(height), hotX, hotY, true, desktop);

  const bool windowText = SystemColorIndex(labelColor) == COLOR_WINDOWTEXT;
  const COLORREF label = Surface::Resolve(labelColor);
  const std::uint32_t labelRgb = (GetRValue(label) << 16) | (GetGValue(label) << 8) | GetBValue(label);
  const CursorImage cursor = ComposeLabelledCursor(iBeam, picture, windowText, labelRgb, width, height);
  return CreateCursorFromImage(cursor, hotX >= 0 ? hotX : width / 2 - 1, hotY >= 0 ? hotY : height / 2 - 1);
}

}  // namespace corvane
