// The control menu: the popup the user opens with left Shift + middle button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/handles.h"

namespace corvane {

// The items of the popup, top to bottom, by the command id each carries
// (separators carry none). Track returns the id of the chosen item.
enum class MenuCommand : UINT {
  None = 0,    // nothing chosen, or the menu was already open
  Close = 1,   // mPopupClose: closes the menu, runs nothing
  About = 2,   // mPopupAbout, the default item
  Font = 3,    // mPopupFont
  Start = 4,   // mPopupStart, checked while autostart is on
  Exit = 5,    // mPopupExit
};

// mPopup and its children with their captions as declared:
//   mPopupClose ""  |  mPopupAbout "&About..."  |  separator  |
//   mPopupFont "Set &Font && Color..."  |  mPopupStart "Start with &Windows"  |
//   separator  |  mPopupExit "&Quit".
// Keeps no state between openings besides the captions and the check mark.
class ControlMenu {
 public:
  // Takes the open menu's keys through `desktop`.
  explicit ControlMenu(platform::Desktop& desktop = platform::SystemDesktop());
  ControlMenu(const ControlMenu&) = delete;
  ControlMenu& operator=(const ControlMenu&) = delete;

  HMENU Handle() const noexcept { return popup_.get(); }

  std::string Caption(MenuCommand item) const;
  void SetCaption(MenuCommand item, const std::string& caption);
  bool Checked(MenuCommand item) const;
  void SetChecked(MenuCommand item, bool checked);

  // Shows the popup with its top-left corner at `at` (screen pixels), tracking
  // the left button, and returns the chosen command once it has closed (None
  // when dismissed). `opening` runs first, before any item is drawn: the
  // owner's mPopup_Click. A request made while the menu is open (a timer tick
  // inside the menu's loop) returns None at once and shows nothing. Commands
  // are not sent to `owner`; it dispatches the returned one itself. The
  // foreground stays with the window that has it.
  //
  // While the menu is open its keys are taken from the window in front, as
  // hot keys of `owner`, with and without Shift (the gesture's left Shift may
  // still be held): Up, Down, Home, End and Enter, handed to the menu;
  // Escape, which closes it; and the key each caption underlines, which
  // chooses that item whatever character the active layout makes of it. They
  // are given back however the menu closes. A key another program holds as a
  // hot key stays that program's.
  MenuCommand Track(HWND owner, POINT at, const std::function<void()>& opening);
  bool IsOpen() const noexcept { return open_; }

  // WM_HOTKEY of `owner` with `id`: one of the keys the open menu took.
  void OnHotKey(WPARAM id);

  // Closes the open menu on a raw input report of a button pressed with the
  // pointer at `pointer` outside the menu: Windows does not close it itself
  // while its owner is not the foreground window.
  void CloseOn(const RAWINPUT& report, POINT pointer);

 private:
  // A key the open menu takes: handed to the menu's window as WM_KEYDOWN, or
  // ending the menu with `command` (None: Escape).
  struct Key {
    UINT virtualKey;
    bool toMenu;
    MenuCommand command;
  };
  void TakeKeys(HWND owner);
  void GiveKeysBack(HWND owner);

  platform::Desktop& desktop_;
  platform::Menu popup_;
  bool open_ = false;
  // The keys of this opening (hot key ids 2i+1, and 2i+2 with Shift) and the
  // ids taken; the command a key chose.
  std::vector<Key> keys_;
  std::vector<int> taken_;
  MenuCommand keyChoice_ = MenuCommand::None;
};

// Puts Text in the accelerator column of the item's caption (after its first
// tab); an empty Text removes the tab and what followed it.
void SetMenuTabText(ControlMenu& menu, MenuCommand item, std::string_view Text);

}  // namespace corvane
