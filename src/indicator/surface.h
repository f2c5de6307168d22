// An off-screen drawing surface: a picture of a fixed size that text is drawn
// into, with a background picture that clearing returns to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "indicator/cursor_image.h"
#include "platform/handles.h"
#include "storage/font_record.h"

namespace corvane {

// The character set of the system's code page (ANSI_CHARSET for 1252,
// RUSSIAN_CHARSET for 1251...); DEFAULT_CHARSET when the system knows none.
BYTE SystemCodePageCharset();

// Text of the system's code page in Unicode.
std::wstring CodePageText(std::string_view text);

class Surface {
 public:
  // "Small Fonts" 6 pt, weight 400, charset 204; window-text colour on white; 0 x 0.
  Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new image of the given size, cleared to the background; Dc() changes with it.
  void SetSize(int width, int height);

  const FontRecord& Font() const { return font_; }
  void SetFont(const FontRecord& font);

  // Colour values: 0x00BBGGRR, or top bit set for a system colour by index.
  std::int32_t ForeColor() const { return foreColor_; }
  void SetForeColor(std::int32_t color) { foreColor_ = color; }
  std::int32_t BackColor() const { return backColor_; }
  void SetBackColor(std::int32_t color) { backColor_ = color; }

  // Takes over size, colours and font of `source`; the image is blank, no background picture.
  void CopySettingsFrom(const Surface& source);

  // The device context that holds the image; valid while the size stays.
  HDC Dc() const { return dc_.get(); }

  // The background picture (null when there is none). Not selected anywhere,
  // so it can be handed to routines that select it; the surface keeps owning it.
  HBITMAP Picture() const { return picture_.get(); }
  // A copy of `source`'s image (this surface's own included) becomes the
  // background picture, and the image is cleared back to it.
  void SetPictureFromImageOf(const Surface& source);
  // No background picture any more; the image is cleared to the background colour.
  void DropPicture();

  // The background picture's pixels, and which of them text drawing painted
  // (on this surface, or on the one the picture was copied from); empty when
  // there is no picture. Ink travels with the pixels, so the label can be told
  // from the picture it was drawn on whatever colours the two have.
  LabelledPicture ReadPicture() const;

  // The image back to the background colour with the background picture at (0, 0).
  void Clear();

  // Width and line height of `text` in the surface's font, or in the same face
  // in `fallbackCharset` when the font lacks a glyph of it (a raster face holds
  // one code page a file; a Western face has no kana). Text of the system's
  // code page (CodePageText) falls back to the code page's character set.
  SIZE MeasureText(std::wstring_view text, BYTE fallbackCharset);
  // Draws `text` with its top-left corner at (x, y) in the font MeasureText
  // measures it in and `color`; only the glyphs are painted.
  void PrintText(int x, int y, std::wstring_view text, std::int32_t color, BYTE fallbackCharset);

  // Paints `area` of the image in one colour value.
  void Fill(const RECT& area, std::int32_t color);

  // A colour value as the 0x00BBGGRR the system draws with.
  static COLORREF Resolve(std::int32_t color);

 private:
  platform::Font MakeGdiFont(BYTE charset) const;
  HFONT GdiFont();
  // The font `text` is measured and drawn in: GdiFont(), unless it lacks a
  // glyph of `text`; then the same face in `fallbackCharset`.
  HFONT FontFor(std::wstring_view text, BYTE fallbackCharset);

  int width_ = 0;
  int height_ = 0;
  FontRecord font_;
  std::int32_t foreColor_ = static_cast<std::int32_t>(0x80000008u);  // the window-text colour
  std::int32_t backColor_ = 0x00FFFFFF;
  platform::Bitmap picture_;
  // The image is declared before its DC so that the DC, which holds it, goes first.
  platform::Bitmap image_;
  platform::MemoryDc dc_;
  // One bit per image pixel, 1 where text was drawn; the picture's ink is kept as those bits.
  platform::Bitmap ink_;
  platform::MemoryDc inkDc_;
  std::uint8_t* inkBits_ = nullptr;
  std::vector<std::uint8_t> pictureInk_;
  // The GDI fonts made from font_, in its character set and in the fallback
  // character set last asked for; remade when font_ changes.
  platform::Font gdiFont_;
  platform::Font fallbackFont_;
  BYTE fallbackCharset_ = DEFAULT_CHARSET;
};

}  // namespace corvane
