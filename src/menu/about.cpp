#include "menu/about.h"

#include "menu/version_text.h"
#include "resources/version.h"

namespace corvane {

int SystemMessageBox(const MSGBOXPARAMSA& params) { return MessageBoxIndirectA(&params); }

int AppMessageBox(HWND Owner, const std::string& Text, UINT Style, const std::string& Caption,
                  std::optional<WORD> IconId, WORD LanguageId, const MessageBoxSender& send) {
  MSGBOXPARAMSA params{};
  params.cbSize = sizeof params;
  params.hwndOwner = Owner;
  params.hInstance = GetModuleHandleA(nullptr);
  params.lpszText = Text.c_str();
  params.lpszCaption = Caption.c_str();
  params.dwStyle = Style;
  if (IconId) {
    params.lpszIcon = MAKEINTRESOURCEA(*IconId);
    params.dwStyle |= MB_USERICON;
  }
  params.dwLanguageId = LanguageId;
  return send(params);
}

void ShowAbout(HWND Owner, const platform::VersionRecord& Record, std::string_view Note, const MessageBoxSender& send) {
  AboutFields fields;
  fields.FileDescription = Record.FileDescription;
  fields.LegalCopyright = Record.LegalCopyright;
  fields.Comments = Record.Comments;
  fields.Major = Record.Major;
  fields.Minor = Record.Minor;
  fields.Revision = Record.Revision;
  // In front with the keyboard: the click or key that chose About was this
  // program's input, which lets it take the foreground.
  AppMessageBox(Owner, AboutText(fields, Note), MB_OK | MB_SETFOREGROUND, AboutCaption(Record.LegalTrademarks),
                CORVANE_ICON_ID, 0, send);
}

}  // namespace corvane
