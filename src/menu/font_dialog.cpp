#include "menu/font_dialog.h"

#include <commdlg.h>

#include <cstring>

#include "platform/dpi.h"
#include "platform/handles.h"
#include "platform/system_library.h"
#include "storage/font_settings.h"
#include "storage/settings_file.h"

namespace corvane {

bool SystemFontChooser::ShowFont(CommonDialog& Dialog, HWND Owner) {
  // The dialog's library is loaded only while the dialog is up: imported, it
  // brings the shell and the printing system into the resident process for
  // good, several megabytes for a command the user runs now and then.
  const platform::Library dialogs = platform::LoadSystemLibrary("comdlg32.dll");
  const auto chooseFont = platform::LibraryFunction<decltype(&ChooseFontA)>(dialogs, "ChooseFontA");
  if (!chooseFont) return false;

  const ChooserFont shown = ChooserFontFor(Dialog, platform::ScreenDpi().y, Surface::Resolve(Dialog.Color));

  LOGFONTA font{};
  font.lfHeight = shown.height;
  font.lfWeight = shown.weight;
  font.lfItalic = shown.italic ? TRUE : FALSE;
  font.lfUnderline = shown.underline ? TRUE : FALSE;
  font.lfStrikeOut = shown.strikeOut ? TRUE : FALSE;
  // The dialog has no character set to offer: let the face name decide.
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, shown.face.c_str(), LF_FACESIZE - 1);

  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = Owner;
  request.lpLogFont = &font;
  // The dialog starts from the font above only with CF_INITTOLOGFONTSTRUCT.
  request.Flags = Dialog.Flags | CF_INITTOLOGFONTSTRUCT;
  request.rgbColors = shown.color;
  // Cancel, and a dialog that could not be shown, report FALSE; the system may
  // have written into the request meanwhile, so nothing of it is taken.
  if (!chooseFont(&request)) return false;

  ChooserFont answer;
  answer.face = font.lfFaceName;
  answer.height = font.lfHeight;
  answer.weight = font.lfWeight;
  answer.italic = font.lfItalic != 0;
  answer.underline = font.lfUnderline != 0;
  answer.strikeOut = font.lfStrikeOut != 0;
  answer.color = request.rgbColors;
  answer.pointTenths = request.iPointSize;
  TakeChooserAnswer(Dialog, shown, answer);
  return true;
}

FontChooser& SystemFontDialog() {
  static SystemFontChooser chooser;
  return chooser;
}

bool SetFontAndColor(Indicator& indicator, const std::string& SettingsPath, HWND Owner, FontChooser& Chooser) {
  Surface& label = indicator.pbCursor[1];

  CommonDialog dialog;
  dialog.Flags = kFontDialogFlags;
  dialog.Color = label.ForeColor();
  FontToDialog(dialog, label.Font());
  // Cancel keeps the label as it is: nothing is applied, saved or redrawn.
  if (!Chooser.ShowFont(dialog, Owner)) return false;
  const FontRecord chosen = FontFromDialog(dialog);
  if (dialog.Color == label.ForeColor() && FontsEqual(chosen, label.Font())) return false;

  label.SetForeColor(dialog.Color);
  FontRecord font = label.Font();
  CopyFont(chosen, font);
  label.SetFont(font);
  IniWriteNumber(SettingsPath, kColorSection, "ForeColor", Fixed::Whole(label.ForeColor()));
  SaveFontSettings(SettingsPath, "Font", "", label.Font());
  // Before the first label (one layout installed, or none found yet) there is
  // no language to draw: the next change of layout draws in the new font.
  if (indicator.LastLayout() != 0) indicator.UpdateIndicator();
  return true;
}

}  // namespace corvane
