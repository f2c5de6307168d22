#include "indicator/cursor_fingerprint.h"

namespace corvane {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

}  // namespace

CursorReader::CursorReader() : buffer_(new std::uint32_t[kBufferPixels]), dc_(platform::CreateMemoryDc()) {}

bool CursorReader::HashRows(HBITMAP bitmap, LONG width, LONG rows, std::uint64_t& hash) {
  if (width <= 0 || width > kBufferPixels) return false;
  const LONG band = kBufferPixels / width;
  BITMAPINFO info{};
  for (LONG top = 0; top < rows; top += band) {
    const LONG count = rows - top < band ? rows - top : band;
    // Bands from the bottom row up: the order need only be the same each time.
    info.bmiHeader = platform::DibHeader(width, rows, 32, true);
    if (GetDIBits(dc_.get(), bitmap, static_cast<UINT>(top), static_cast<UINT>(count), buffer_.get(), &info,
                  DIB_RGB_COLORS) != count)
      return false;
    for (LONG i = 0, n = count * width; i < n; ++i) hash = (hash ^ buffer_[i]) * kFnvPrime;
  }
  return true;
}

CursorFingerprint CursorReader::Read(HCURSOR cursor) {
  platform::IconInfo icon;
  BITMAP mask{};
  if (!cursor || !platform::QueryIconInfo(cursor, icon) || !GetObjectA(icon.mask.get(), sizeof mask, &mask))
    return {};
  BITMAP color{};
  if (icon.color && !GetObjectA(icon.color.get(), sizeof color, &color)) return {};
  std::uint64_t hash = kFnvOffset;
  if (!HashRows(icon.mask.get(), mask.bmWidth, mask.bmHeight, hash) ||
      (icon.color && !HashRows(icon.color.get(), color.bmWidth, color.bmHeight, hash)))
    return {};
  // A monochrome cursor's mask holds the AND plane above the XOR plane.
  const LONG height = icon.color ? mask.bmHeight : mask.bmHeight / 2;
  return {mask.bmWidth, height, icon.info.xHotspot, icon.info.yHotspot, hash};
}

}  // namespace corvane
