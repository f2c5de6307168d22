// "Set Font & Color...": the label's font and colour chosen in the system font
// dialog, applied to the label, saved to the settings file and redrawn.
#pragma once

#include <windows.h>

#include <string>

#include "indicator/indicator.h"
#include "menu/font_dialog_logic.h"

namespace corvane {

// Shows the font dialog and reports the user's answer; tests script it.
class FontChooser {
 public:
  virtual ~FontChooser() = default;
  // Shows Dialog modally over Owner. On OK Dialog holds the user's choice and
  // the result is true; on Cancel, or when no dialog could be shown, Dialog is
  // left as it was and the result is false.
  virtual bool ShowFont(CommonDialog& Dialog, HWND Owner) = 0;
};

// The system's font dialog (ChooseFontA), colour choice included.
class SystemFontChooser final : public FontChooser {
 public:
  bool ShowFont(CommonDialog& Dialog, HWND Owner) override;
};

// The process-wide system font dialog.
FontChooser& SystemFontDialog();

// The settings file's section of the label colour, named after the main window.
inline constexpr const char* kColorSection = "fwMain";

// The command behind the menu's font item. Shows the dialog over Owner with
// the font and colour of the label surface (indicator.pbCursor[1]); when the
// user confirms a font or colour that differs from the label's, applies both,
// saves the colour ("fwMain", "ForeColor") and the font (section "Font") to
// SettingsPath and redraws the indicator. Cancel changes nothing. The caller
// keeps a second command from starting while the dialog is open. Returns
// whether it applied a change.
bool SetFontAndColor(Indicator& indicator, const std::string& SettingsPath, HWND Owner,
                     FontChooser& Chooser = SystemFontDialog());

}  // namespace corvane
