// The control menu read back from the system's menu, and opened for real.
#include "menu/control_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(ControlMenu, ItemsInOrderWithTheirDeclaredCaptionsAndAboutTheDefault) {
  ControlMenu menu;
  const std::pair<MenuCommand, const char*> items[] = {
      {MenuCommand::Close, ""},      {MenuCommand::About, "&About..."},
      {MenuCommand::None, nullptr},  {MenuCommand::Font, "Set &Font && Color..."},
      {MenuCommand::Start, "Start with &Windows"}, {MenuCommand::None, nullptr},
      {MenuCommand::Exit, "&Quit"}};
  SetMenuTabText(menu, MenuCommand::None, "x");  // names no item: changes nothing
  ASSERT_EQ(GetMenuItemCount(menu.Handle()), 7);
  for (UINT i = 0; i < 7; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu.Handle(), i, TRUE, &info)) << i;
    const auto [id, caption] = items[i];
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, caption == nullptr) << i;
    if (!caption) continue;
    EXPECT_EQ(info.wID, static_cast<UINT>(id)) << i;
    EXPECT_EQ(std::string(text), caption) << i;
    EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_DISABLED | MFS_DEFAULT), id == MenuCommand::About ? MFS_DEFAULT : 0u)
        << i;
  }
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
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) && !IsWindowVisible(window)) {
  }
  return window;
}

TEST(ControlMenuTrack, OpensAtThePointAfterTheOpeningStepIgnoresASecondRequestAndReturnsTheChoice) {
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

  // It opens again, and an access key chooses its item.
  for (const auto& [key, expected] : {std::pair{'w', MenuCommand::Start}, std::pair{'q', MenuCommand::Exit}}) {
    InsideMenu([key = key] { PostMessageA(ShownPopup(), WM_CHAR, static_cast<WPARAM>(key), 0); });
    EXPECT_EQ(menu.Track(owner.get(), POINT{50, 50}, [] {}), expected) << key;
  }
}

}  // namespace
}  // namespace corvane
