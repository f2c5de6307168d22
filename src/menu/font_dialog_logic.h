// The font dialog's properties and how the label's font crosses them: plain
// values only, so the rules are checked without a window system.
#pragma once

#include <cstdint>
#include <string>

#include "storage/fixed_point.h"
#include "storage/font_record.h"

namespace corvane {

// Options of the font dialog: screen and printer fonts (0x3), effects, that is
// underline, strikethrough and the text colour (0x100), and no font name that
// does not exist (0x10000).
inline constexpr std::uint32_t kFontDialogFlags = 0x10103;

// What the font dialog is shown and what it gives back. A dialog that is
// cancelled leaves every property as it was.
struct CommonDialog {
  std::uint32_t Flags = 0;
  std::int32_t Color = 0;  // a colour value: 0x00BBGGRR, or top bit set for a system colour
  std::string FontName;
  Fixed FontSize;  // points
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderline = false;
  bool FontStrikethru = false;
};

// Puts Font's face, size and flags into the dialog; the dialog has no place
// for weight and character set.
void FontToDialog(CommonDialog& Dialog, const FontRecord& Font);

// A fresh font record with the dialog's face, size and flags: its weight
// follows bold (700 or 400) and its character set is kAnyCharset, so that the
// face is drawn in the system's code page, not forced into the ANSI one.
FontRecord FontFromDialog(const CommonDialog& Dialog);

// True when A and B agree in size, name (case-sensitive), strikethrough,
// underline, italic, character set, bold and weight.
bool FontsEqual(const FontRecord& A, const FontRecord& B);

// Copies Source into Target: name, size, weight (only a positive one),
// character set, bold, italic, underline, strikethrough, in this order; since
// bold sets the weight, Target ends with weight 700 or 400.
void CopyFont(const FontRecord& Source, FontRecord& Target);

// A font as the system font dialog takes and reports it, in its own units.
struct ChooserFont {
  std::string face;
  long height = 0;  // character height in pixels, negative
  long weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint32_t color = 0;  // 0x00BBGGRR
  int pointTenths = 0;      // the size the dialog reports after OK, in tenths of a point
};

// What the system dialog is shown for Dialog at `dpi` pixels per inch;
// `shownColor` is Dialog.Color as the system draws it (system colours resolved).
ChooserFont ChooserFontFor(const CommonDialog& Dialog, int dpi, std::uint32_t shownColor);

// Takes the system dialog's answer after OK into Dialog. A size or colour the
// user left as shown keeps Dialog's own value, so that a fractional size or a
// system colour, which the dialog can only approximate, does not read as a
// change.
void TakeChooserAnswer(CommonDialog& Dialog, const ChooserFont& Shown, const ChooserFont& Answer);

}  // namespace corvane
