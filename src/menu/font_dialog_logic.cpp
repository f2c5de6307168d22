#include "menu/font_dialog_logic.h"

#include "indicator/label.h"

namespace corvane {

void FontToDialog(CommonDialog& Dialog, const FontRecord& Font) {
  Dialog.FontBold = Font.bold();
  Dialog.FontItalic = Font.italic;
  Dialog.FontName = Font.name;
  Dialog.FontSize = Font.size;
  Dialog.FontStrikethru = Font.strikethrough;
  Dialog.FontUnderline = Font.underline;
}

FontRecord FontFromDialog(const CommonDialog& Dialog) {
  FontRecord font;
  font.charset = kAnyCharset;
  font.setBold(Dialog.FontBold);
  font.italic = Dialog.FontItalic;
  font.name = Dialog.FontName;
  font.size = Dialog.FontSize;
  font.strikethrough = Dialog.FontStrikethru;
  font.underline = Dialog.FontUnderline;
  return font;
}

bool FontsEqual(const FontRecord& A, const FontRecord& B) { return A == B; }

void CopyFont(const FontRecord& Source, FontRecord& Target) {
  Target = Source;
  // Bold is set after the weight, which it settles at 700 or 400.
  Target.setBold(Source.bold());
}

ChooserFont ChooserFontFor(const CommonDialog& Dialog, int dpi, std::uint32_t shownColor) {
  ChooserFont font;
  font.face = Dialog.FontName;
  font.height = FontHeightForPoints(Dialog.FontSize, dpi);
  font.weight = Dialog.FontBold ? 700 : 400;
  font.italic = Dialog.FontItalic;
  font.underline = Dialog.FontUnderline;
  font.strikeOut = Dialog.FontStrikethru;
  font.color = shownColor;
  return font;
}

void TakeChooserAnswer(CommonDialog& Dialog, const ChooserFont& Shown, const ChooserFont& Answer) {
  Dialog.FontName = Answer.face;
  // A size the dialog could not read (none typed) keeps the one it was shown.
  if (Answer.height != Shown.height && Answer.pointTenths > 0) {
    Dialog.FontSize = Fixed{static_cast<std::int64_t>(Answer.pointTenths) * (Fixed::kScale / 10)};
  }
  // The dialog's bold is any weight the font record reads as bold.
  Dialog.FontBold = Answer.weight > 550;
  Dialog.FontItalic = Answer.italic;
  Dialog.FontUnderline = Answer.underline;
  Dialog.FontStrikethru = Answer.strikeOut;
  if (Answer.color != Shown.color) Dialog.Color = static_cast<std::int32_t>(Answer.color & 0x00FFFFFFu);
}

}  // namespace corvane
