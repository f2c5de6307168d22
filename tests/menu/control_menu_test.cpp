// The control menu read back from the system's menu, and opened for real.
#include "menu/control_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace corvane {
namespace {

struct ItemInfo {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  std::string text;
};

ItemInfo ItemAt(HMENU menu, UINT position) {
  char text[256] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << "position " << position;
  return {info.fType, info.fState, info.wID, text};
}

TEST(ControlMenu, ItemsInOrderWithTheirDeclaredCaptions) {
  ControlMenu menu;
  HMENU popup = menu.Handle();
  ASSERT_EQ(GetMenuItemCount(popup), 7);

  struct Expected {
    MenuCommand id;
    const char* text;
  };
  const Expected items[] = {{MenuCommand::Close, ""},
                            {MenuCommand::About, "&About..."},
                            {MenuCommand::None, nullptr},
                            {MenuCommand::Font, "Set &Font && Color..."},
                            {MenuCommand::Start, "Start with &Windows"},
                            {MenuCommand::None, nullptr},
                            {MenuCommand::Exit, "&Quit"}};
  for (UINT i = 0; i < 7; ++i) {
    const ItemInfo item = ItemAt(popup, i);
    if (!items[i].text) {
      EXPECT_TRUE(item.type & MFT_SEPARATOR) << "position " << i;
      continue;
    }
    EXPECT_FALSE(item.type & MFT_SEPARATOR) << "position " << i;
    EXPECT_EQ(item.id, static_cast<UINT>(items[i].id)) << "position " << i;
    EXPECT_EQ(item.text, items[i].text) << "position " << i;
    EXPECT_FALSE(item.state & (MFS_CHECKED | MFS_DISABLED)) << "position " << i;
  }
}

TEST(ControlMenu, AboutIsTheDefaultItem) {
  ControlMenu menu;
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), FALSE, 0), static_cast<UINT>(MenuCommand::About));
  EXPECT_TRUE(ItemAt(menu.Handle(), 1).state & MFS_DEFAULT);
  // Renaming the item, as activation does, keeps it the default.
  menu.SetCaption(MenuCommand::About, "Tirella\x99");
  EXPECT_TRUE(ItemAt(menu.Handle(), 1).state & MFS_DEFAULT);
  EXPECT_EQ(ItemAt(menu.Handle(), 1).text, "Tirella\x99");
}

TEST(ControlMenu, TabTextGoesToTheAcceleratorColumn) {
  ControlMenu menu;
  SetMenuTabText(menu, MenuCommand::Close, "Close");
  EXPECT_EQ(ItemAt(menu.Handle(), 0).text, "\tClose");
  EXPECT_EQ(menu.Caption(MenuCommand::Close), "\tClose");

  SetMenuTabText(menu, MenuCommand::Exit, "Alt+F4");
  SetMenuTabText(menu, MenuCommand::Exit, "Esc");
  EXPECT_EQ(menu.Caption(MenuCommand::Exit), "&Quit\tEsc");
  SetMenuTabText(menu, MenuCommand::Exit, "");
  EXPECT_EQ(menu.Caption(MenuCommand::Exit), "&Quit");

  // An id that names no item changes nothing.
  SetMenuTabText(menu, MenuCommand::None, "x");
  EXPECT_EQ(GetMenuItemCount(menu.Handle()), 7);
}

TEST(ControlMenu, CheckMarkReadsBackFromTheSystemMenu) {
  ControlMenu menu;
  menu.SetChecked(MenuCommand::Start, true);
  EXPECT_TRUE(menu.Checked(MenuCommand::Start));
  EXPECT_TRUE(ItemAt(menu.Handle(), 4).state & MFS_CHECKED);
  EXPECT_FALSE(ItemAt(menu.Handle(), 3).state & MFS_CHECKED);
  menu.SetChecked(MenuCommand::Start, false);
  EXPECT_FALSE(menu.Checked(MenuCommand::Start));
  EXPECT_FALSE(ItemAt(menu.Handle(), 4).state & MFS_CHECKED);
}

// Runs `step` from a timer inside the menu's own message loop.
class InsideMenu {
 public:
  explicit InsideMenu(std::function<void()> step) {
    step_ = std::move(step);
    timer_ = SetTimer(nullptr, 0, 200, &InsideMenu::Tick);
  }
  ~InsideMenu() { KillTimer(nullptr, timer_); }
  InsideMenu(const InsideMenu&) = delete;
  InsideMenu& operator=(const InsideMenu&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    step_();
  }
  static inline std::function<void()> step_;
  UINT_PTR timer_;
};

HWND OpenPopupWindow() {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32768", nullptr); window;
       window = FindWindowExA(nullptr, window, "#32768", nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

class Owner {
 public:
  Owner() : window_(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
  HWND get() const { return window_.get(); }

 private:
  platform::Window window_;
};

TEST(ControlMenuTrack, OpensAtThePointAfterTheOpeningStepAndIgnoresASecondRequest) {
  ControlMenu menu;
  Owner owner;
  int openings = 0;
  bool openAtOpening = false;
  bool shownAtOpening = true;
  RECT shownAt{};
  MenuCommand nested = MenuCommand::Exit;
  bool checkedInside = false;

  InsideMenu inside([&] {
    HWND popup = OpenPopupWindow();
    if (popup) GetWindowRect(popup, &shownAt);
    checkedInside = menu.Checked(MenuCommand::Start);
    nested = menu.Track(owner.get(), POINT{300, 300}, [&] { ++openings; });
    EndMenu();
  });
  const MenuCommand chosen = menu.Track(owner.get(), POINT{120, 140}, [&] {
    ++openings;
    openAtOpening = menu.IsOpen();
    shownAtOpening = OpenPopupWindow() != nullptr;
    menu.SetChecked(MenuCommand::Start, true);
  });

  EXPECT_EQ(chosen, MenuCommand::None);
  EXPECT_EQ(openings, 1);
  EXPECT_TRUE(openAtOpening);
  EXPECT_FALSE(shownAtOpening);
  EXPECT_TRUE(checkedInside) << "the opening step runs before the items are shown";
  EXPECT_EQ(nested, MenuCommand::None);
  EXPECT_EQ(shownAt.left, 120);
  EXPECT_EQ(shownAt.top, 140);
  EXPECT_FALSE(menu.IsOpen());
}

TEST(ControlMenuTrack, ReturnsTheChosenItemAndCanOpenAgain) {
  ControlMenu menu;
  Owner owner;
  for (const auto& [key, expected] : {std::pair{'w', MenuCommand::Start}, std::pair{'q', MenuCommand::Exit}}) {
    InsideMenu inside([&, key = key] {
      HWND popup = OpenPopupWindow();
      PostMessageA(popup ? popup : owner.get(), WM_CHAR, static_cast<WPARAM>(key), 0);
    });
    EXPECT_EQ(menu.Track(owner.get(), POINT{50, 50}, [] {}), expected) << key;
  }
}

}  // namespace
}  // namespace corvane
