#include "support/gdi.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/handles.h"

namespace corvane::testing {

Image ReadBitmap(HBITMAP bitmap) {
  Image image;
  BITMAP description{};
  if (!GetObjectA(bitmap, sizeof description, &description)) return image;
  image.width = description.bmWidth;
  image.height = description.bmHeight;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  platform::WindowDc screen;
  GetDIBits(screen.get(), bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
  for (auto& p : image.pixels) p &= 0xFFFFFF;
  return image;
}

IconPlanes ReadIcon(HICON icon) {
  IconPlanes planes;
  platform::IconInfo info;
  if (!platform::QueryIconInfo(icon, info)) return planes;
  planes.isIcon = info.info.fIcon != FALSE;
  planes.hotX = info.info.xHotspot;
  planes.hotY = info.info.yHotspot;
  BITMAP mask{};
  GetObjectA(info.mask.get(), sizeof mask, &mask);
  planes.maskBitsPerPixel = mask.bmBitsPixel;
  planes.mask = ReadBitmap(info.mask.get());
  if (info.color) planes.color = ReadBitmap(info.color.get());
  return planes;
}

void WriteCursorImage(const std::string& path, const IconPlanes& planes) {
  const int width = planes.color.width;
  const int height = planes.color.height;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> rows(static_cast<size_t>(stride) * height);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = &rows[static_cast<size_t>(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      uint32_t p = planes.color.at(x, y);
      if (planes.mask.at(x, y) != 0) p = ((x / 4 + y / 4) % 2) ? 0xB0B0B0 : 0x808080;
      row[x * 3 + 0] = p & 0xFF;
      row[x * 3 + 1] = (p >> 8) & 0xFF;
      row[x * 3 + 2] = (p >> 16) & 0xFF;
    }
  }
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(rows.size());
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&header, sizeof header, 1, f);
    std::fwrite(rows.data(), 1, rows.size(), f);
    std::fclose(f);
  }
}

std::vector<unsigned> NextGdiSlots(int count) {
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

std::size_t SlotsTaken(const std::vector<unsigned>& before, const std::vector<unsigned>& after) {
  std::vector<unsigned> taken;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(taken));
  return taken.size();
}

HBITMAP MakeFilledBitmap(int width, int height, COLORREF color) {
  platform::WindowDc screen;
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
  auto dc = platform::CreateMemoryDc();
  platform::SelectionScope selection(dc.get(), bitmap);
  platform::Brush brush(CreateSolidBrush(color));
  RECT all{0, 0, width, height};
  FillRect(dc.get(), &all, brush.get());
  return bitmap;
}

void SetBitmapPixel(HBITMAP bitmap, int x, int y, COLORREF color) {
  auto dc = platform::CreateMemoryDc();
  platform::SelectionScope selection(dc.get(), bitmap);
  SetPixel(dc.get(), x, y, color);
}

HCURSOR MakeIBeam(IBeam kind) {
  auto beam = [](int x, int y) { return x >= 4 && x <= 5 && y >= 2 && y <= 21; };
  auto edge = [](int x, int y) { return x >= 3 && x <= 6 && y >= 1 && y <= 22; };
  if (kind == IBeam::kTranslucent) {
    std::vector<uint32_t> pixels(32 * 32, 0);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (edge(x, y)) pixels[y * 32 + x] = beam(x, y) ? 0xFF000000 : 0x80FFFFFF;
    platform::Bitmap color(CreateBitmap(32, 32, 1, 32, pixels.data()));
    const std::vector<BYTE> clear(32 * 4, 0xFF);  // the AND plane: only where nothing blends
    platform::Bitmap mask(CreateBitmap(32, 32, 1, 1, clear.data()));
    ICONINFO info{FALSE, 4, 10, mask.get(), color.get()};
    return CreateIconIndirect(&info);
  }
  // Rows of 32 bits, most significant bit first; AND 1 lets the screen through, XOR 1 is white or inverts.
  std::vector<BYTE> andPlane(32 * 4, 0xFF), xorPlane(32 * 4, 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      const bool inBeam = beam(x, y), opaque = kind == IBeam::kPlain && edge(x, y);
      if (opaque) andPlane[y * 4 + x / 8] &= static_cast<BYTE>(~bit);
      if ((opaque && !inBeam) || (kind == IBeam::kInverting && inBeam)) xorPlane[y * 4 + x / 8] |= bit;
    }
  return CreateCursor(GetModuleHandleA(nullptr), 4, 10, 32, 32, andPlane.data(), xorPlane.data());
}

}  // namespace corvane::testing
