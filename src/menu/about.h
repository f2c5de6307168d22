// The About box and the program's message box call.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/version_record.h"

namespace corvane {

// What shows a filled MSGBOXPARAMSA and returns the button chosen; tests
// replace it to see the parameters.
using MessageBoxSender = std::function<int(const MSGBOXPARAMSA&)>;

// MessageBoxIndirectA.
int SystemMessageBox(const MSGBOXPARAMSA& params);

// A message box owned by Owner, with this program's module as hInstance. With
// IconId, the icon resource of that number is shown (MB_USERICON is added to
// Style). Returns the box's result.
int AppMessageBox(HWND Owner, const std::string& Text, UINT Style, const std::string& Caption,
                  std::optional<WORD> IconId = std::nullopt, WORD LanguageId = 0,
                  const MessageBoxSender& send = SystemMessageBox);

// The About box: "About " + LegalTrademarks as caption, the text of AboutText
// from the record and Note, the program's icon 1, one OK button; it takes the
// foreground where Windows allows it.
void ShowAbout(HWND Owner, const platform::VersionRecord& Record, std::string_view Note,
               const MessageBoxSender& send = SystemMessageBox);

}  // namespace corvane
