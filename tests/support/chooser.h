// The user at the font dialog, scripted: what they change, and OK or Cancel.
#pragma once

#include <functional>
#include <vector>

#include "menu/font_dialog.h"

namespace corvane::testing {

struct ScriptedChooser final : FontChooser {
  std::function<void(CommonDialog&)> edit;  // none: the user changes nothing
  bool ok = true;
  std::vector<CommonDialog> shown;  // the dialog as each showing found it
  std::vector<HWND> owners;

  bool ShowFont(CommonDialog& Dialog, HWND Owner) override {
    shown.push_back(Dialog);
    owners.push_back(Owner);
    if (ok && edit) edit(Dialog);
    return ok;
  }
};

}  // namespace corvane::testing
