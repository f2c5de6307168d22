#include "indicator/indicator.h"

#include <gtest/gtest.h>

#include <map>

#include "indicator/bitmap_to_icon.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {

using testing::Count, testing::IconPlanes, testing::Image, testing::ReadBitmap;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr COLORREF kWhiteColor = RGB(255, 255, 255);

Image White(int width, int height) { return {width, height, std::vector<uint32_t>(width * height, kWhite)}; }

// Over a plain stock I-beam, drawn in plain colours, the cursor is the keyed picture.
struct IndicatorTest : ::testing::Test {
  void SetUp() override {
    desktop.stockIBeam = plainIBeam.get();
    indicator.PrepareSurfaces();
  }
  // The pointer over the editor, whose thread uses `layout`.
  void EditorUses(std::uintptr_t layout) {
    desktop.PointAt({100, 200}, reinterpret_cast<HWND>(0x1001), 77, reinterpret_cast<HKL>(layout));
  }

  platform::Icon plainIBeam{testing::MakeIBeam(testing::IBeam::kPlain)};
  testing::ScriptedDesktop desktop;
  int menuOpenings = 0;
  Indicator indicator{desktop, [this] { ++menuOpenings; }};
};

TEST_F(IndicatorTest, EachTickOpensTheMenuOnTheGestureOrRedrawsAChangedLayout) {
  // The surfaces were prepared with the user's own I-beam: the cursors reloaded first.
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"ReloadSystemCursors", "StockIBeam"}));
  const SHORT held = static_cast<SHORT>(0xFF81), toggled = 1;  // as the system reports them
  const struct { std::map<int, SHORT> keys; int layouts; DWORD layout; int menus; size_t installs; } ticks[] = {
      {{}, 2, 0x04090409, 0, 1},
      {{}, 2, 0x04090409, 0, 1},
      {{}, 2, 0xF0010409, 0, 2},  // the same language on another layout
      {{{VK_LSHIFT, held}, {VK_MBUTTON, held}}, 1, 0x04190419, 1, 2},
      {{{VK_LSHIFT, held}, {VK_MBUTTON, held}}, 2, 0x04190419, 2, 2},
      {{{VK_RSHIFT, held}, {VK_SHIFT, held}, {VK_MBUTTON, held}}, 2, 0x04190419, 2, 3},
      {{{VK_LSHIFT, toggled}, {VK_MBUTTON, held}}, 2, 0x04220422, 2, 4},
      {{{VK_LSHIFT, held}}, 2, 0x04090409, 2, 5},
      {{}, 1, 0x04190419, 2, 5},
      {{}, 0, 0x04190419, 2, 5},  // the count failed
  };
  for (const auto& tick : ticks) {
    desktop.keyStates = tick.keys;
    desktop.layoutCount = tick.layouts;
    EditorUses(tick.layout);
    indicator.toLang_Timer();
    EXPECT_EQ(std::pair(menuOpenings, desktop.installs.size()), std::pair(tick.menus, tick.installs)) << tick.layout;
  }
  EXPECT_EQ(std::pair(indicator.LastLayout(), desktop.installs.back().id), std::pair(0x04090409ul, 32513ul));
}

// The cursor shows the label drawn alone where it belongs, over the plain
// I-beam, and is transparent, and black in its colour plane, exactly where that picture is white.
TEST_F(IndicatorTest, TheLabelSitsInTheBottomRightCornerOverTheIBeam) {
  Surface& work = indicator.pbCursor[1];
  work.SetForeColor(0x0000FF);
  work.SetFont(testing::MakeFont("Tahoma", 8, 0));
  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  for (auto [layout, label] : {std::pair{0x04750475u, "HAW"}, {0x04090409u, "EN"}, {0x04190419u, "RU"}}) {
    EditorUses(layout);
    indicator.toLang_Timer();
    const SIZE extent = work.MeasureText(label);
    Surface alone;
    alone.CopySettingsFrom(work);
    alone.PrintText(32 - extent.cx - 2, 32 - extent.cy, label);
    alone.SetPictureFromImageOf(alone);
    const Image drawn = ReadBitmap(alone.Picture());
    const IconPlanes cursor = testing::ReadIcon(desktop.InstalledCursor());
    EXPECT_GT(Count(drawn, [&](int x, int y) { return drawn.at(x, y) == 0xFF0000; }), 10) << label;
    EXPECT_EQ(Count(drawn, [&](int x, int y) {
                const uint32_t expected = drawn.at(x, y) != kWhite ? drawn.at(x, y) : beam.at(x, y);
                return cursor.opaque(x, y) != (expected != kWhite) ||
                       cursor.color.at(x, y) != (expected == kWhite ? 0 : expected);
              }), 0) << label;
  }
}

// An I-beam whose picture covers the corner and holds a pixel one step off
// white, on a system cursor size that changed since the surfaces were made.
TEST_F(IndicatorTest, AnIBeamCoveringTheCornerOnALargerCursor) {
  Image picture = White(32, 32);
  for (int i = 0; i < 16; ++i) picture.at(i % 4, i / 4) = 0;
  for (int y = 2; y < 20; ++y) picture.at(8, y) = 0x0000FF;
  picture.at(20, 4) = 0xFEFFFF;
  const platform::Bitmap bitmap(testing::MakeBitmap(picture));
  const platform::Icon iBeam(BitmapToIcon(bitmap.get(), kWhiteColor, 0, 0, 8, 10, true, desktop));
  desktop.stockIBeam = iBeam.get();
  indicator.PrepareSurfaces();
  desktop.cursorWidth = 48;  // three halves across, five quarters down
  desktop.cursorHeight = 40;
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  const IconPlanes cursor = testing::ReadIcon(desktop.InstalledCursor());
  EXPECT_EQ(std::tuple(cursor.color.width, cursor.color.height, cursor.hotX, cursor.hotY),
            std::tuple(48, 40, DWORD{8}, DWORD{10}));
  EXPECT_TRUE(cursor.opaque(0, 0) && cursor.opaque(30, 5) && cursor.color.at(12, 6) == 0x0000FF);
  EXPECT_FALSE(cursor.opaque(20, 6) || cursor.opaque(47, 0));
}

}  // namespace corvane
