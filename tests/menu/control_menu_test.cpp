// The control menu read back from the system's menu, and opened for real.
#include "menu/control_menu.h"

#include <gtest/gtest.h>

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
  ASSERT_EQ(GetMenuItemCount(menu.Handle()), 7);
  const std::pair<MenuCommand, const char*> items[] = {
      {MenuCommand::Close, ""},      {MenuCommand::About, "&About..."},
      {MenuCommand::None, nullptr},  {MenuCommand::Font, "Set &Font && Color..."},
      {MenuCommand::Start, "Start with &Windows"}, {MenuCommand::None, nullptr},
      {MenuCommand::Exit, "&Quit"}};
  for (UINT i = 0; i < 7; ++i) {
    const ItemInfo item = ItemAt(menu.Handle(), i);
    EXPECT_EQ((item.type & MFT_SEPARATOR) != 0, items[i].second == nullptr) << "position " << i;
    if (!items[i].second) continue;
    EXPECT_EQ(item.id, static_cast<UINT>(items[i].first)) << "position " << i;
    EXPECT_EQ(item.text, items[i].second) << "position " << i;
    EXPECT_FALSE(item.state & (MFS_CHECKED | MFS_DISABLED)) << "position " << i;
  }
}

TEST(ControlMenu, CaptionsAfterActivationWithAboutStillTheDefault) {
  ControlMenu menu;
  SetMenuTabText(menu, MenuCommand::Close, "Close");
  menu.SetCaption(MenuCommand::About, "Tirella\x99");
  menu.SetChecked(MenuCommand::Start, true);
  SetMenuTabText(menu, MenuCommand::None, "x");  // names no item: changes nothing

  EXPECT_EQ(ItemAt(menu.Handle(), 0).text, "\tClose");
  EXPECT_EQ(ItemAt(menu.Handle(), 1).text, "Tirella\x99");
  EXPECT_TRUE(ItemAt(menu.Handle(), 1).state & MFS_DEFAULT);
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), FALSE, 0), static_cast<UINT>(MenuCommand::About));
  EXPECT_TRUE(ItemAt(menu.Handle(), 4).state & MFS_CHECKED);
  EXPECT_EQ(GetMenuItemCount(menu.Handle()), 7);
}

// Runs `step` once from a thread timer, that is inside the menu's own loop.
std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_step();
}
void InsideMenu(std::function<void()> step) {
  g_step = std::move(step);
  SetTimer(nullptr, 0, 200, &RunStep);
}

HWND ShownPopup() {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32768", nullptr); window;
       window = FindWindowExA(nullptr, window, "#32768", nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

TEST(ControlMenuTrack, OpensAtThePointAfterTheOpeningStepAndIgnoresASecondRequest) {
  ControlMenu menu;
  const platform::Window owner(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  int openings = 0;
  bool shownAtOpening = true;
  bool markInside = false;
  RECT shownAt{};
  MenuCommand nested = MenuCommand::Exit;

  InsideMenu([&] {
    if (HWND popup = ShownPopup()) GetWindowRect(popup, &shownAt);
    markInside = menu.Checked(MenuCommand::Start);
    nested = menu.Track(owner.get(), POINT{300, 300}, [&] { ++openings; });
    EndMenu();
  });
  const MenuCommand chosen = menu.Track(owner.get(), POINT{120, 140}, [&] {
    ++openings;
    shownAtOpening = ShownPopup() != nullptr;
    menu.SetChecked(MenuCommand::Start, true);
  });

  EXPECT_EQ(chosen, MenuCommand::None);
  EXPECT_EQ(openings, 1);
  EXPECT_FALSE(shownAtOpening);
  EXPECT_TRUE(markInside) << "what the opening step sets is what the open menu shows";
  EXPECT_EQ(nested, MenuCommand::None);
  EXPECT_EQ(shownAt.left, 120);
  EXPECT_EQ(shownAt.top, 140);
  EXPECT_FALSE(menu.IsOpen());
}

TEST(ControlMenuTrack, ReturnsTheChosenItemAndOpensAgain) {
  ControlMenu menu;
  const platform::Window owner(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  for (const auto& [key, expected] : {std::pair{'w', MenuCommand::Start}, std::pair{'q', MenuCommand::Exit}}) {
    InsideMenu([key = key] { PostMessageA(ShownPopup(), WM_CHAR, static_cast<WPARAM>(key), 0); });
    EXPECT_EQ(menu.Track(owner.get(), POINT{50, 50}, [] {}), expected) << key;
  }
}

}  // namespace
}  // namespace corvane
