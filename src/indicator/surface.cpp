#include "indicator/surface.h"

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
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

}  // namespace

Surface::Surface() : font_(DefaultLabelFont()), dc_(CreateMemoryDc()) {}

void Surface::SetSize(int width, int height) {
  auto dc = CreateMemoryDc();
  Bitmap image;
  if (width > 0 && height > 0) {
    image = ImageBitmap(width, height);
    SelectObject(dc.get(), image.get());
  } else {
    width = height = 0;
  }
  // The old DC goes first and lets go of the old image, which then goes too.
  dc_ = std::move(dc);
  image_ = std::move(image);
  width_ = width;
  height_ = height;
  Clear();
}

void Surface::SetFont(const FontRecord& font) {
  font_ = font;
  gdiFont_.reset();
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
  if (source.image_) {
    copy = ImageBitmap(source.width_, source.height_);
    auto copyDc = CreateMemoryDc();
    SelectionScope selection(copyDc.get(), copy.get());
    BitBlt(copyDc.get(), 0, 0, source.width_, source.height_, source.dc_.get(), 0, 0, SRCCOPY);
  }
  picture_ = std::move(copy);
  Clear();
}

void Surface::Clear() {
  if (!image_) return;
  platform::Brush background(CreateSolidBrush(Resolve(backColor_)));
  RECT all{0, 0, width_, height_};
  FillRect(dc_.get(), &all, background.get());
  if (!picture_) return;
  BITMAP picture{};
  GetObjectA(picture_.get(), sizeof picture, &picture);
  auto pictureDc = CreateMemoryDc();
  SelectionScope selection(pictureDc.get(), picture_.get());
  BitBlt(dc_.get(), 0, 0, picture.bmWidth, picture.bmHeight, pictureDc.get(), 0, 0, SRCCOPY);
}

SIZE Surface::MeasureText(std::string_view text) {
  SIZE size{};
  SelectionScope font(dc_.get(), GdiFont());
  GetTextExtentPoint32A(dc_.get(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void Surface::PrintText(int x, int y, std::string_view text) { PrintText(x, y, text, foreColor_); }

void Surface::PrintText(int x, int y, std::string_view text, std::int32_t color) {
  SelectionScope font(dc_.get(), GdiFont());
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextColor(dc_.get(), Resolve(color));
  TextOutA(dc_.get(), x, y, text.data(), static_cast<int>(text.size()));
}

void Surface::Fill(const RECT& area, std::int32_t color) {
  if (!image_) return;
  platform::Brush brush(CreateSolidBrush(Resolve(color)));
  FillRect(dc_.get(), &area, brush.get());
}

COLORREF Surface::Resolve(std::int32_t color) {
  if (auto index = SystemColorIndex(color)) return GetSysColor(*index);
  return PlainColor(color);
}

HFONT Surface::GdiFont() {
  if (!gdiFont_) {
    const int dpi = platform::ScreenDpi().y;
    // Without smoothing: the cursor keys out one background colour exactly, so
    // smoothed glyph edges would stay as a pale halo around the label.
    gdiFont_.reset(CreateFontA(FontHeightForPoints(font_.size, dpi), 0, 0, 0, font_.weight(), font_.italic,
                               font_.underline, font_.strikethrough, static_cast<BYTE>(font_.charset),
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE,
                               font_.name.c_str()));
  }
  return gdiFont_.get();
}

}  // namespace corvane
