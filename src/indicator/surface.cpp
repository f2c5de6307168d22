#include "indicator/surface.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "indicator/label.h"
#include "platform/dpi.h"

namespace corvane {

using platform::Bitmap;
using platform::CreateMemoryDc;
using platform::SelectionScope;

namespace {

FontRecord DefaultLabelFont() {
  FontRecord font;
  font.name = "Small Fonts";
  font.size = Fixed::Whole(6);
  font.setWeight(400);
  font.charset = 204;
  return font;
}

// A 24-bit picture. The screen's 32-bit format would keep the alpha bytes that
// drawing an alpha cursor leaves behind, and those pixels would then no longer
// match the plain background colour that is keyed out as transparent.
Bitmap ImageBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = platform::DibHeader(width, height, 24, true);
  void* bits = nullptr;
  return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

std::size_t ImageStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

// One bit per pixel, rows from the top: 0 black (no ink), 1 white (ink).
struct InkInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[2];
};

Bitmap InkBitmap(int width, int height, std::uint8_t*& bits) {
  InkInfo info{};
  info.header = platform::DibHeader(width, height, 1);
  info.colors[1] = RGBQUAD{255, 255, 255, 0};
  void* memory = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &memory, nullptr, 0));
  bits = bitmap ? static_cast<std::uint8_t*>(memory) : nullptr;
  return bitmap;
}

std::size_t InkStride(int width) { return (static_cast<std::size_t>(width) + 31) / 32 * 4; }

// What GetGlyphIndicesW gives a character the font has no glyph for.
constexpr WORD kMissingGlyph = 0xFFFF;

// Whether the font selected into `dc` has no glyph for a character of `text`;
// false when the system cannot tell.
bool LacksGlyph(HDC dc, std::wstring_view text) {
  if (text.empty()) return false;
  std::vector<WORD> glyphs(text.size());
  if (GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
      GDI_ERROR)
    return false;
  return std::find(glyphs.begin(), glyphs.end(), kMissingGlyph) != glyphs.end();
}

}  // namespace

BYTE SystemCodePageCharset() {
  CHARSETINFO info{};
  // TCI_SRCCODEPAGE takes the code page itself in place of the pointer.
  if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<std::uintptr_t>(GetACP())), &info, TCI_SRCCODEPAGE))
    return DEFAULT_CHARSET;
  return static_cast<BYTE>(info.ciCharset);
}

std::wstring CodePageText(std::string_view text) {
  // Drawn with the wide functions, the characters stay whatever the font's character set is.
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return wide;
}

Surface::Surface() : font_(DefaultLabelFont()), dc_(CreateMemoryDc()) {}

void Surface::SetSize(int width, int height) {
  auto dc = CreateMemoryDc();
  Bitmap image;
  platform::MemoryDc inkDc;
  Bitmap ink;
  std::uint8_t* inkBits = nullptr;
  if (width > 0 && height > 0) {
    image = ImageBitmap(width, height);
    SelectObject(dc.get(), image.get());
    inkDc = CreateMemoryDc();
    ink = InkBitmap(width, height, inkBits);
    SelectObject(inkDc.get(), ink.get());
  } else {
    width = height = 0;
  }
  // The old DC goes first and lets go of the old image, which then goes too.
  dc_ = std::move(dc);
  image_ = std::move(image);
  inkDc_ = std::move(inkDc);
  ink_ = std::move(ink);
  inkBits_ = inkBits;
  width_ = width;
  height_ = height;
  Clear();
}

void Surface::SetFont(const FontRecord& font) {
  font_ = font;
  gdiFont_.reset();
  fallbackFont_.reset();
}

void Surface::CopySettingsFrom(const Surface& source) {
  foreColor_ = source.foreColor_;
  backColor_ = source.backColor_;
  SetFont(source.font_);
  picture_.reset();
  SetSize(source.width_, source.height_);
}

void Surface::SetPictureFromImageOf(const Surface& source) {
  Bitmap copy;
  std::vector<std::uint8_t> ink;
  if (source.image_) {
    copy = ImageBitmap(source.width_, source.height_);
    auto copyDc = CreateMemoryDc();
    SelectionScope selection(copyDc.get(), copy.get());
    BitBlt(copyDc.get(), 0, 0, source.width_, source.height_, source.dc_.get(), 0, 0, SRCCOPY);
    if (source.inkBits_) {
      GdiFlush();
      ink.assign(source.inkBits_, source.inkBits_ + InkStride(source.width_) * source.height_);
    }
  }
  picture_ = std::move(copy);
  pictureInk_ = std::move(ink);
  Clear();
}

void Surface::DropPicture() {
  picture_.reset();
  pictureInk_.clear();
  Clear();
}

LabelledPicture Surface::ReadPicture() const {
  LabelledPicture result;
  DIBSECTION section{};
  if (!picture_ || GetObjectA(picture_.get(), sizeof section, &section) != sizeof section ||
      section.dsBm.bmBitsPixel != 24 || !section.dsBm.bmBits)
    return result;
  GdiFlush();
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;
  result.width = width;
  result.height = height;
  result.pixels.resize(static_cast<std::size_t>(width) * height);
  result.ink.assign(result.pixels.size(), 0);
  const bool withInk = pictureInk_.size() == InkStride(width) * height;
  const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
  for (int y = 0; y < height; ++y) {
    // The picture's rows are stored from the bottom, the ink's from the top.
    const std::uint8_t* row = bits + ImageStride(width) * (section.dsBmih.biHeight > 0 ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      result.pixels[i] = (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
      if (withInk) result.ink[i] = (pictureInk_[InkStride(width) * y + x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return result;
}

void Surface::Clear() {
  if (!image_) return;
  platform::Brush background(CreateSolidBrush(Resolve(backColor_)));
  RECT all{0, 0, width_, height_};
  FillRect(dc_.get(), &all, background.get());
  const std::size_t inkSize = InkStride(width_) * height_;
  if (inkBits_) {
    GdiFlush();
    std::memset(inkBits_, 0, inkSize);
  }
  if (!picture_) return;
  BITMAP picture{};
  GetObjectA(picture_.get(), sizeof picture, &picture);
  auto pictureDc = CreateMemoryDc();
  SelectionScope selection(pictureDc.get(), picture_.get());
  BitBlt(dc_.get(), 0, 0, picture.bmWidth, picture.bmHeight, pictureDc.get(), 0, 0, SRCCOPY);
  if (inkBits_ && picture.bmWidth == width_ && picture.bmHeight == height_ && pictureInk_.size() == inkSize)
    std::memcpy(inkBits_, pictureInk_.data(), inkSize);
}

SIZE Surface::MeasureText(std::wstring_view text, BYTE fallbackCharset) {
  SIZE size{};
  SelectionScope font(dc_.get(), FontFor(text, fallbackCharset));
  GetTextExtentPoint32W(dc_.get(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void Surface::PrintText(int x, int y, std::wstring_view text, std::int32_t color, BYTE fallbackCharset) {
  HFONT chosen = FontFor(text, fallbackCharset);
  SelectionScope font(dc_.get(), chosen);
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextColor(dc_.get(), Resolve(color));
  TextOutW(dc_.get(), x, y, text.data(), static_cast<int>(text.size()));
  if (!ink_) return;
  // The same glyphs into the ink, where white is ink.
  SelectionScope inkFont(inkDc_.get(), chosen);
  SetBkMode(inkDc_.get(), TRANSPARENT);
  SetTextColor(inkDc_.get(), RGB(255, 255, 255));
  TextOutW(inkDc_.get(), x, y, text.data(), static_cast<int>(text.size()));
}

void Surface::Fill(const RECT& area, std::int32_t color) {
  if (!image_) return;
  platform::Brush brush(CreateSolidBrush(Resolve(color)));
  FillRect(dc_.get(), &area, brush.get());
  // A filled area belongs to the label as much as its glyphs do.
  if (inkDc_) FillRect(inkDc_.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

COLORREF Surface::Resolve(std::int32_t color) {
  if (auto index = SystemColorIndex(color)) return GetSysColor(*index);
  return PlainColor(color);
}

platform::Font Surface::MakeGdiFont(BYTE charset) const {
  const int dpi = platform::ScreenDpi().y;
  // Without smoothing: the cursor keys out one background colour exactly, so
  // smoothed glyph edges would stay as a pale halo around the label.
  return platform::Font(CreateFontA(FontHeightForPoints(font_.size, dpi), 0, 0, 0, font_.weight(), font_.italic,
                                    font_.underline, font_.strikethrough, charset, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                    font_.name.c_str()));
}

HFONT Surface::GdiFont() {
  if (!gdiFont_) gdiFont_ = MakeGdiFont(static_cast<BYTE>(font_.charset));
  return gdiFont_.get();
}

HFONT Surface::FontFor(std::wstring_view text, BYTE fallbackCharset) {
  HFONT chosen = GdiFont();
  bool lacking = false;
  {
    SelectionScope selection(dc_.get(), chosen);
    lacking = LacksGlyph(dc_.get(), text);
  }
  if (!lacking) return chosen;
  if (!fallbackFont_ || fallbackCharset_ != fallbackCharset) {
    fallbackFont_ = MakeGdiFont(fallbackCharset);
    fallbackCharset_ = fallbackCharset;
  }
  return fallbackFont_.get();
}

}  // namespace corvane
