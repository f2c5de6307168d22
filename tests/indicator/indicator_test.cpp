#include "indicator/indicator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "indicator/bitmap_to_icon.h"
#include "indicator/label.h"
#include "support/font.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::IconPlanes;
using testing::Image;
using testing::ReadBitmap;
using testing::ReadIcon;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kTransparent = 0xFFFFFF;  // mask bit 1 reads back as white
constexpr uint32_t kOpaque = 0x000000;
constexpr std::int32_t kRed = 0x000000FF;

HKL Layout(std::uintptr_t value) { return reinterpret_cast<HKL>(value); }
HWND FakeWindow(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

const std::vector<std::string> kIdleTick = {"KeyState",  "KeyState",     "KeyboardLayoutCount", "CursorPos",
                                            "WindowAt",  "WindowThread", "ThreadLayout"};
const std::vector<std::string> kRenderingTick = {"KeyState", "KeyState", "KeyboardLayoutCount", "CursorPos", "WindowAt",
                                                 "WindowThread", "ThreadLayout", "InstallSystemCursor"};

FontRecord Tahoma(int points, bool bold = false) { return testing::MakeFont("Tahoma", points, 0, bold); }

struct Found { int count = 0; RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN}; };
// The pixels of a width x height area for which match(x, y) holds: how many, and their bounding box.
Found Find(int width, int height, const std::function<bool(int, int)>& match) {
  Found found;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (match(x, y))
        found = {found.count + 1, {std::min<LONG>(found.box.left, x), std::min<LONG>(found.box.top, y),
                                   std::max<LONG>(found.box.right, x + 1), std::max<LONG>(found.box.bottom, y + 1)}};
  return found;
}

// The cursor is transparent exactly where `picture` shows the white background.
void ExpectWhiteKeyedOut(const IconPlanes& cursor, const Image& picture) {
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      ASSERT_EQ(cursor.mask.at(x, y), picture.at(x, y) == kWhite ? kTransparent : kOpaque) << x << "," << y;
}

class IndicatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // An I-beam in plain colours, which keying the labelled picture shows exactly.
    desktop.stockIBeam = plainIBeam.get();
    indicator.PrepareSurfaces();
    desktop.calls.clear();
  }

  // The pointer over the editor, whose thread uses `layout`.
  void EditorUses(std::uintptr_t layout) { desktop.PointAt({100, 200}, FakeWindow(0x1001), 77, Layout(layout)); }

  IconPlanes Installed() { return ReadIcon(desktop.InstalledCursor()); }

  void SaveImage(const std::string& name) {
    std::filesystem::create_directories("images");
    testing::WriteCursorImage("images/" + name + ".bmp", Installed());
  }

  platform::Icon plainIBeam{testing::MakeIBeam(testing::IBeam::kPlain)};
  testing::ScriptedDesktop desktop;
  int menuOpenings = 0;
  Indicator indicator{desktop, [this] { ++menuOpenings; }};
};

TEST(LayoutLabel, NamesTheLanguageOfTheLayoutsLowWord) {
  // 0xF0010419, 0x00020409: other layouts of the same languages; 0x7FFF: a language without a name.
  for (auto [layout, label] : {std::pair{0x04090409u, "EN"}, {0x04190419u, "RU"}, {0x04220422u, "UK"},
                               {0x04750475u, "HAW"}, {0xF0010419u, "RU"}, {0x00020409u, "EN"}, {0x7FFF7FFFu, "??"}}) {
    EXPECT_EQ(LayoutLabel(layout), label) << std::hex << layout;
  }
}

TEST(Preparation, SizesBothSurfacesAndCapturesTheUsersIBeam) {
  testing::ScriptedDesktop desktop;
  desktop.cursorWidth = 40;
  desktop.cursorHeight = 36;
  Indicator indicator(desktop);
  indicator.UpdateIndicator();  // before preparation: nothing to draw on, nothing installed
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_EQ(desktop.installs[0].cursor, nullptr);

  indicator.pbCursor[0].SetForeColor(kRed);
  indicator.pbCursor[0].SetFont(Tahoma(8));
  desktop.calls.clear();
  indicator.PrepareSurfaces();
  // The cursors are reloaded before the I-beam is taken.
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"ReloadSystemCursors", "StockIBeam"}));
  for (const Surface& surface : indicator.pbCursor) {
    EXPECT_EQ(surface.Width(), 40);
    EXPECT_EQ(surface.Height(), 36);
    EXPECT_EQ(surface.ForeColor(), kRed);
    EXPECT_EQ(surface.Font(), Tahoma(8));
  }

  // The template's picture: the I-beam at its own size from (0, 0), on white.
  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  ASSERT_EQ(beam.width, 40);
  const Found drawn = Find(40, 36, [&](int x, int y) { return beam.at(x, y) != kWhite; });
  EXPECT_GT(drawn.count, 10);
  EXPECT_LE(drawn.box.right, 32);
  EXPECT_LE(drawn.box.bottom, 32);
}

TEST_F(IndicatorTest, ALayoutChangeRendersAndInstallsOnceAndAnUnchangedOneDoesNothing) {
  EXPECT_EQ(indicator.LastLayout(), 0u);
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.calls, kRenderingTick);
  EXPECT_EQ(desktop.lastLayoutQuery, 77u);
  EXPECT_EQ(indicator.LastLayout(), 0x04090409u);
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_NE(desktop.installs[0].cursor, nullptr);
  EXPECT_EQ(desktop.installs[0].id, 32513u);

  // An unchanged layout: no drawing, no bitmap, no cursor.
  HBITMAP picture = indicator.pbCursor[1].Picture();
  const auto slots = testing::NextGdiSlots();
  for (int i = 0; i < 5; ++i) {
    desktop.calls.clear();
    indicator.toLang_Timer();
    EXPECT_EQ(desktop.calls, kIdleTick);
  }
  EXPECT_EQ(testing::NextGdiSlots(), slots);
  EXPECT_EQ(indicator.pbCursor[1].Picture(), picture);
  EXPECT_EQ(desktop.installs.size(), 1u);

  // The same language on another physical layout: another layout, the same label.
  const Image english = ReadBitmap(picture);
  EditorUses(0xF0010409);
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.LastLayout(), 0xF0010409u);
  ASSERT_EQ(desktop.installs.size(), 2u);
  EXPECT_EQ(ReadBitmap(indicator.pbCursor[1].Picture()).pixels, english.pixels);
}

TEST_F(IndicatorTest, WithFewerThanTwoLayoutsNothingIsPolledAndLastLayoutStays) {
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  EditorUses(0x04190419);
  for (int count : {1, 0}) {  // 0: the count failed
    desktop.layoutCount = count;
    desktop.calls.clear();
    indicator.toLang_Timer();
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"KeyState", "KeyState", "KeyboardLayoutCount"}));
    EXPECT_EQ(indicator.LastLayout(), 0x04090409u);
    EXPECT_EQ(desktop.installs.size(), 1u);
  }
}

TEST_F(IndicatorTest, OnlyLeftShiftHeldWithTheMiddleButtonOpensTheMenuInsteadOfPolling) {
  // As the system reports key states: the state byte (0x80 held, 0x01 toggled) sign-extended.
  const SHORT held = static_cast<SHORT>(0xFF81);
  const SHORT toggled = 1;
  using Keys = std::map<int, SHORT>;
  EditorUses(0x04090409);
  for (const Keys& keys : {Keys{{Indicator::kLeftShift, held}}, Keys{{Indicator::kMiddleButton, held}},
                           Keys{{VK_RSHIFT, held}, {VK_SHIFT, held}, {Indicator::kMiddleButton, held}},
                           Keys{{Indicator::kLeftShift, toggled}, {Indicator::kMiddleButton, held}}}) {
    Indicator fresh(desktop, [this] { ++menuOpenings; });
    desktop.keyStates = keys;
    desktop.calls.clear();
    fresh.toLang_Timer();
    EXPECT_EQ(desktop.calls, kRenderingTick) << keys.size();
  }
  EXPECT_EQ(menuOpenings, 0);

  // Both held: the menu, before even the layout count, and again while they stay held.
  desktop.layoutCount = 1;
  desktop.keyStates = {{Indicator::kLeftShift, held}, {Indicator::kMiddleButton, held}};
  desktop.calls.clear();
  indicator.toLang_Timer();
  indicator.toLang_Timer();
  EXPECT_EQ(menuOpenings, 2);
  Indicator bare(desktop);  // without a menu hook the gesture tick still polls nothing
  bare.toLang_Timer();
  EXPECT_EQ(desktop.calls, (std::vector<std::string>(6, "KeyState")));
}

TEST_F(IndicatorTest, NoWindowAsksForTheProgramsOwnThreadAndNoPointerForTheOrigin) {
  desktop.pointer = {5, 6};  // no window scripted there: thread 0
  desktop.threadLayouts[0] = Layout(0x04220422);
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.lastLayoutQuery, 0u);
  EXPECT_EQ(indicator.LastLayout(), 0x04220422u);

  desktop.PointAt({0, 0}, FakeWindow(0x3003), 99, Layout(0x04750475));
  desktop.pointer = {640, 480};
  desktop.pointerQueryFails = true;
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.lastWindowQuery.x, 0);
  EXPECT_EQ(desktop.lastWindowQuery.y, 0);
  EXPECT_EQ(indicator.LastLayout(), 0x04750475u);
}

TEST_F(IndicatorTest, TheLabelSitsInTheBottomRightCornerOverTheIBeam) {
  Surface& work = indicator.pbCursor[1];
  work.SetForeColor(kRed);
  work.SetFont(Tahoma(8));
  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  for (auto [layout, label] : {std::pair{0x04090409u, "EN"}, {0x04190419u, "RU"}, {0x04750475u, "HAW"}}) {
    EditorUses(layout);
    indicator.toLang_Timer();
    SaveImage(std::string("indicator_") + label);
    const SIZE extent = work.MeasureText(label);
    const LabelPoint at{32 - extent.cx - 2, 32 - extent.cy};
    ASSERT_GT(at.x, 0);
    ASSERT_GT(at.y, 0);
    Surface labelOnWhite;  // drawn at `at` in the work surface's font and colour
    labelOnWhite.CopySettingsFrom(work);
    labelOnWhite.PrintText(at.x, at.y, label);
    labelOnWhite.SetPictureFromImageOf(labelOnWhite);
    const Image alone = ReadBitmap(labelOnWhite.Picture());
    const IconPlanes cursor = Installed();
    ASSERT_EQ(cursor.color.width, 32);
    ASSERT_EQ(cursor.color.height, 32);
    EXPECT_FALSE(cursor.isIcon);
    EXPECT_GT(Find(32, 32, [&](int x, int y) { return alone.at(x, y) != kWhite; }).count, 15) << label;
    EXPECT_GT(Find(32, 32, [&](int x, int y) { return cursor.color.at(x, y) == 0xFF0000; }).count, 5) << label;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const uint32_t expected = alone.at(x, y) != kWhite ? alone.at(x, y) : beam.at(x, y);
        ASSERT_EQ(cursor.mask.at(x, y), expected == kWhite ? kTransparent : kOpaque) << label << " " << x << "," << y;
        ASSERT_EQ(cursor.color.at(x, y), expected == kWhite ? 0u : expected) << label << " " << x << "," << y;
      }
  }
}

TEST_F(IndicatorTest, AFontTooLargeIsClippedAtTheEdgesAndStaysVisible) {
  Surface& work = indicator.pbCursor[1];
  work.SetForeColor(kRed);
  work.SetFont(Tahoma(60, true));
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  SaveImage("label_clipped");

  const SIZE extent = work.MeasureText("EN");
  EXPECT_LT(32 - extent.cx - 2, 0);
  EXPECT_LT(32 - extent.cy, 0);
  const Image composite = ReadBitmap(work.Picture());
  EXPECT_GT(Find(32, 1, [&](int x, int y) { return composite.at(x, y) == 0xFF0000; }).count, 0) << "over the top";
  // Only the white background is transparent, whatever covers the corner.
  ExpectWhiteKeyedOut(Installed(), composite);
}

TEST_F(IndicatorTest, AnIBeamCoveringTheCornerLeavesTheBackgroundTransparent) {
  // A stock I-beam whose picture starts with a black block in the top-left corner.
  platform::Bitmap picture(testing::MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) testing::SetBitmapPixel(picture.get(), x, y, RGB(0, 0, 0));
  for (int y = 2; y < 20; ++y) testing::SetBitmapPixel(picture.get(), 8, y, RGB(0, 0, 255));
  platform::Icon iBeam(BitmapToIcon(picture.get(), RGB(255, 255, 255), 0, 0, 8, 10, true, desktop));
  ASSERT_TRUE(iBeam);
  desktop.stockIBeam = iBeam.get();
  indicator.PrepareSurfaces();
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.IBeamInfo().xHotspot, 8u);
  EXPECT_EQ(indicator.IBeamInfo().yHotspot, 10u);

  ASSERT_EQ(ReadBitmap(indicator.pbCursor[1].Picture()).at(0, 0), 0x000000u);
  const IconPlanes cursor = Installed();
  EXPECT_EQ(cursor.mask.at(0, 0), kOpaque);
  EXPECT_EQ(cursor.mask.at(8, 5), kOpaque);
  EXPECT_EQ(cursor.color.at(8, 5), 0x0000FFu);
  EXPECT_EQ(cursor.mask.at(15, 5), kTransparent);
  EXPECT_EQ(cursor.mask.at(31, 0), kTransparent);
  const int label = Find(16, 16, [&](int x, int y) { return cursor.mask.at(x + 16, y + 16) == kOpaque; }).count;
  EXPECT_GT(label, 8);
  EXPECT_LT(label, 16 * 16 / 2);
}

TEST_F(IndicatorTest, ANewCursorSizeStretchesTheSurfaceButNotTheHotSpot) {
  indicator.pbCursor[1].SetForeColor(kRed);
  desktop.cursorWidth = 48;
  desktop.cursorHeight = 40;
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  SaveImage("label_stretched_48x40");

  const Image composite = ReadBitmap(indicator.pbCursor[1].Picture());
  ASSERT_EQ(composite.width, 32) << "the surfaces keep the size they were prepared with";
  const IconPlanes cursor = Installed();
  ASSERT_EQ(cursor.color.width, 48);
  ASSERT_EQ(cursor.color.height, 40);
  EXPECT_EQ(cursor.hotX, indicator.IBeamInfo().xHotspot);
  EXPECT_EQ(cursor.hotY, indicator.IBeamInfo().yHotspot);
  // The red label covers the same part of the picture, scaled by 3/2 across and 5/4 down.
  const RECT source = Find(32, 32, [&](int x, int y) { return composite.at(x, y) == 0xFF0000; }).box;
  const RECT stretched = Find(48, 40, [&](int x, int y) { return cursor.color.at(x, y) == 0xFF0000; }).box;
  ASSERT_LT(source.left, source.right) << "no red label pixel";
  EXPECT_NEAR(stretched.left, source.left * 3 / 2, 1);
  EXPECT_NEAR(stretched.right, source.right * 3 / 2, 1);
  EXPECT_NEAR(stretched.top, source.top * 5 / 4, 1);
  EXPECT_NEAR(stretched.bottom, source.bottom * 5 / 4, 1);
}

TEST_F(IndicatorTest, TenThousandRendersLeaveNoGdiObjectBehind) {
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  const auto before = testing::NextGdiSlots();
  for (int i = 0; i < 10000; ++i) {
    EditorUses(i % 2 == 0 ? 0x04090409 : 0x04190419);
    indicator.toLang_Timer();
  }
  EXPECT_EQ(desktop.installs.size(), 10002u);
  // Live objects may move to other slots (the installed cursor's bitmaps do); each leak raises the largest free one.
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

TEST_F(IndicatorTest, ACursorTheSystemRefusesIsNotLeaked) {
  desktop.refuseInstalls = true;
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  const auto before = testing::NextGdiSlots();
  for (int i = 0; i < 100; ++i) {
    EditorUses(i % 2 == 0 ? 0x04190419 : 0x04090409);
    indicator.toLang_Timer();
  }
  EXPECT_EQ(desktop.installs.size(), 101u);
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

}  // namespace
}  // namespace corvane
