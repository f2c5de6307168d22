#include "menu/control_menu.h"

#include <cstring>
#include <vector>

#include "menu/menu_text.h"
#include "platform/scope_exit.h"

namespace corvane {
namespace {

UINT Id(MenuCommand item) { return static_cast<UINT>(item); }

void AppendItem(HMENU menu, MenuCommand item, const char* caption) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
  info.fType = MFT_STRING;
  info.wID = Id(item);
  info.dwTypeData = const_cast<char*>(caption);
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

void AppendSeparator(HMENU menu) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  info.fType = MFT_SEPARATOR;
  InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

struct MenuWindowSearch {
  HMENU menu;
  HWND window;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<MenuWindowSearch*>(data);
  char name[8] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32768") != 0 ||
      reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) != search.menu) {
    return TRUE;
  }
  search.window = window;
  return FALSE;
}

// The window showing `menu`: a menu window (class "#32768") of this thread.
HWND MenuWindow(HMENU menu) {
  MenuWindowSearch search{menu, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

}  // namespace

ControlMenu::ControlMenu(platform::Desktop& desktop) : desktop_(desktop), popup_(CreatePopupMenu()) {
  HMENU menu = popup_.get();
  AppendItem(menu, MenuCommand::Close, "");
  AppendItem(menu, MenuCommand::About, "&About...");
  AppendSeparator(menu);
  AppendItem(menu, MenuCommand::Font, "Set &Font && Color...");
  AppendItem(menu, MenuCommand::Start, "Start with &Windows");
  AppendSeparator(menu);
  AppendItem(menu, MenuCommand::Exit, "&Quit");
  SetMenuDefaultItem(menu, Id(MenuCommand::About), FALSE);
}

std::string ControlMenu::Caption(MenuCommand item) const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoA(popup_.get(), Id(item), FALSE, &info)) return {};
  std::vector<char> text(info.cch + 1, '\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoA(popup_.get(), Id(item), FALSE, &info)) return {};
  return std::string(text.data());
}

void ControlMenu::SetCaption(MenuCommand item, const std::string& caption) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  SetMenuItemInfoA(popup_.get(), Id(item), FALSE, &info);
}

bool ControlMenu::Checked(MenuCommand item) const {
  const UINT state = GetMenuState(popup_.get(), Id(item), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void ControlMenu::SetChecked(MenuCommand item, bool checked) {
  CheckMenuItem(popup_.get(), Id(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

MenuCommand ControlMenu::Track(HWND owner, POINT at, const std::function<void()>& opening) {
  if (open_) return MenuCommand::None;
  open_ = true;
  keyChoice_ = MenuCommand::None;
  // The open mark and the keys go however the menu's loop ends.
  const platform::ScopeExit closed([this, owner] {
    GiveKeysBack(owner);
    open_ = false;
  });
  if (opening) opening();
  TakeKeys(owner);
  // The owner stays in the background: Windows would mostly refuse it the
  // foreground (the gesture's click went to the program under the pointer),
  // and the window the user works in keeps it. The menu closes on a click
  // elsewhere through the owner's raw input (CloseOn), on its keys through
  // the hot keys (OnHotKey).
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      popup_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
      owner, nullptr));
  // The WM_NULL lets the owner's queue move on so the next opening works the first time.
  PostMessageA(owner, WM_NULL, 0, 0);
  return chosen ? static_cast<MenuCommand>(chosen) : keyChoice_;
}

void ControlMenu::TakeKeys(HWND owner) {
  keys_ = {{VK_UP, true, MenuCommand::None},     {VK_DOWN, true, MenuCommand::None},
           {VK_HOME, true, MenuCommand::None},   {VK_END, true, MenuCommand::None},
           {VK_RETURN, true, MenuCommand::None}, {VK_ESCAPE, false, MenuCommand::None}};
  // A letter by its key: the F key chooses the font item under a Russian layout too.
  for (MenuCommand item : {MenuCommand::Close, MenuCommand::About, MenuCommand::Font, MenuCommand::Start,
                           MenuCommand::Exit}) {
    if (const char key = AccessKey(Caption(item))) keys_.push_back({static_cast<UINT>(key), false, item});
  }
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    for (const UINT modifiers : {0u, static_cast<UINT>(MOD_SHIFT)}) {
      const int id = static_cast<int>(2 * i + (modifiers ? 2 : 1));
      if (desktop_.TakeKey(owner, id, modifiers, keys_[i].virtualKey)) taken_.push_back(id);
    }
  }
}

void ControlMenu::GiveKeysBack(HWND owner) {
  for (const int id : taken_) desktop_.GiveBackKey(owner, id);
  taken_.clear();
}

void ControlMenu::OnHotKey(WPARAM id) {
  if (!open_ || id == 0 || (id - 1) / 2 >= keys_.size()) return;
  const Key& key = keys_[(id - 1) / 2];
  if (key.toMenu) {
    // The menu's own loop, on this thread, moves the highlight or chooses the
    // highlighted item. A key before the menu's window exists is dropped: a
    // window-less message would reach whatever loop runs next.
    constexpr LPARAM kOnePress = 1;  // repeat count 1, the key was up before
    if (HWND menu = MenuWindow(popup_.get())) PostMessageA(menu, WM_KEYDOWN, key.virtualKey, kOnePress);
    return;
  }
  keyChoice_ = key.command;
  EndMenu();
}

void ControlMenu::CloseOn(const RAWINPUT& report, POINT pointer) {
  constexpr USHORT kPresses = RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_DOWN |
                              RI_MOUSE_BUTTON_4_DOWN | RI_MOUSE_BUTTON_5_DOWN;
  if (!open_ || report.header.dwType != RIM_TYPEMOUSE || (report.data.mouse.usButtonFlags & kPresses) == 0) return;
  RECT shown{};
  // A press on the menu is the menu's own.
  if (GetWindowRect(MenuWindow(popup_.get()), &shown) && PtInRect(&shown, pointer)) return;
  EndMenu();
}

void SetMenuTabText(ControlMenu& menu, MenuCommand item, std::string_view Text) {
  if (GetMenuState(menu.Handle(), static_cast<UINT>(item), MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
  menu.SetCaption(item, CaptionWithTabText(menu.Caption(item), Text));
}

}  // namespace corvane
