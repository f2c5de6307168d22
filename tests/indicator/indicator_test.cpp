#include "indicator/indicator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "indicator/bitmap_to_icon.h"
#include "indicator/label.h"
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

class IndicatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    indicator.PrepareSurfaces();
    desktop.calls.clear();
  }

  // The pointer over the editor, whose thread uses `layout`.
  void EditorUses(std::uintptr_t layout) { desktop.PointAt({100, 200}, FakeWindow(0x1001), 77, Layout(layout)); }

  IconPlanes Installed() { return ReadIcon(desktop.InstalledCursor()); }

  testing::ScriptedDesktop desktop;
  int menuOpenings = 0;
  Indicator indicator{desktop, [this] { ++menuOpenings; }};
};

TEST(LayoutLabel, NamesTheLanguageOfTheLayoutsLowWord) {
  EXPECT_EQ(LayoutLabel(0x04090409), "EN");
  EXPECT_EQ(LayoutLabel(0x04190419), "RU");
  EXPECT_EQ(LayoutLabel(0x04220422), "UK");
  EXPECT_EQ(LayoutLabel(0x04750475), "HAW");
  // Another physical layout of the same language.
  EXPECT_EQ(LayoutLabel(0xF0010419), "RU");
  EXPECT_EQ(LayoutLabel(0x00020409), "EN");
  // A language the system has no name for.
  EXPECT_EQ(LayoutLabel(0x7FFF7FFF), kUnknownLanguageLabel);
}

TEST(Preparation, SizesBothSurfacesAndCapturesTheUsersIBeam) {
  testing::ScriptedDesktop other;
  other.cursorWidth = 40;
  other.cursorHeight = 36;
  Indicator fresh(other);
  fresh.pbCursor[0].SetForeColor(kRed);
  FontRecord font;
  font.name = "Tahoma";
  fresh.pbCursor[0].SetFont(font);
  fresh.PrepareSurfaces();

  // The cursors are reloaded before the I-beam is taken.
  EXPECT_EQ(other.calls, (std::vector<std::string>{"ReloadSystemCursors", "StockIBeam"}));
  for (const Surface& surface : fresh.pbCursor) {
    EXPECT_EQ(surface.Width(), 40);
    EXPECT_EQ(surface.Height(), 36);
    EXPECT_EQ(surface.ForeColor(), kRed);
    EXPECT_EQ(surface.Font(), font);
  }
  EXPECT_EQ(fresh.pbCursor[1].Picture(), nullptr);

  ICONINFO stock{};
  ASSERT_TRUE(GetIconInfo(other.stockIBeam, &stock));
  DeleteObject(stock.hbmMask);
  if (stock.hbmColor) DeleteObject(stock.hbmColor);
  EXPECT_EQ(fresh.IBeamInfo().xHotspot, stock.xHotspot);
  EXPECT_EQ(fresh.IBeamInfo().yHotspot, stock.yHotspot);

  // The template's picture: the I-beam at the top-left corner on white.
  Image beam = ReadBitmap(fresh.pbCursor[0].Picture());
  ASSERT_EQ(beam.width, 40);
  int drawn = 0;
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 40; ++x)
      if (beam.at(x, y) != kWhite) {
        ++drawn;
        EXPECT_LT(x, 32) << "the I-beam is drawn at its own size from (0, 0)";
        EXPECT_LT(y, 32);
      }
  EXPECT_GT(drawn, 10);
  EXPECT_EQ(beam.at(39, 35), kWhite);
}

TEST_F(IndicatorTest, ALayoutChangeRendersAndInstallsOnceAndAnUnchangedOneDoesNothing) {
  EXPECT_EQ(indicator.LastLayout(), 0u);
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  std::vector<std::string> rendering = kIdleTick;
  rendering.push_back("InstallSystemCursor");
  EXPECT_EQ(desktop.calls, rendering);
  EXPECT_EQ(desktop.lastLayoutQuery, 77u);
  EXPECT_EQ(indicator.LastLayout(), 0x04090409u);
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_NE(desktop.installs[0].cursor, nullptr);
  EXPECT_EQ(desktop.installs[0].id, 32513u);
  EXPECT_EQ(desktop.InstalledCursor(), desktop.installs[0].cursor);

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

  // The label follows the window under the pointer, whatever has the focus.
  desktop.PointAt({400, 300}, FakeWindow(0x2002), 88, Layout(0x04190419));
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.LastLayout(), 0x04190419u);
  EXPECT_EQ(desktop.installs.size(), 2u);
  desktop.pointer = {100, 200};
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.LastLayout(), 0x04090409u);
  EXPECT_EQ(desktop.installs.size(), 3u);
}

TEST_F(IndicatorTest, TheSameLanguageOnAnotherPhysicalLayoutRendersAgain) {
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  Image first = ReadBitmap(indicator.pbCursor[1].Picture());
  EditorUses(0xF0010419);
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.LastLayout(), 0xF0010419u);
  ASSERT_EQ(desktop.installs.size(), 2u);
  EXPECT_EQ(ReadBitmap(indicator.pbCursor[1].Picture()).pixels, first.pixels) << "same label";
}

TEST_F(IndicatorTest, WithFewerThanTwoLayoutsNothingIsPolledAndLastLayoutStays) {
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  ASSERT_EQ(desktop.installs.size(), 1u);

  EditorUses(0x04190419);
  for (int count : {1, 0}) {  // 0: the count failed
    desktop.layoutCount = count;
    desktop.calls.clear();
    indicator.toLang_Timer();
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"KeyState", "KeyState", "KeyboardLayoutCount"}));
    EXPECT_EQ(indicator.LastLayout(), 0x04090409u);
    EXPECT_EQ(desktop.installs.size(), 1u);
  }

  // A second layout again: only a difference from LastLayout renders.
  desktop.layoutCount = 2;
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.installs.size(), 1u);
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.installs.size(), 2u);
}

TEST_F(IndicatorTest, LeftShiftWithTheMiddleButtonOpensTheMenuInsteadOfPolling) {
  EditorUses(0x04090409);
  desktop.layoutCount = 1;  // the gesture comes before the layout count
  desktop.Press(Indicator::kLeftShift);
  desktop.Press(Indicator::kMiddleButton);
  indicator.toLang_Timer();
  EXPECT_EQ(menuOpenings, 1);
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"KeyState", "KeyState"}));

  desktop.layoutCount = 2;
  indicator.toLang_Timer();  // still held after the menu closed: it opens again
  EXPECT_EQ(menuOpenings, 2);
  EXPECT_TRUE(desktop.installs.empty());
  EXPECT_EQ(indicator.LastLayout(), 0u);

  // Either key alone: polling as usual.
  desktop.Release(Indicator::kMiddleButton);
  indicator.toLang_Timer();
  desktop.Release(Indicator::kLeftShift);
  desktop.Press(Indicator::kMiddleButton);
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  EXPECT_EQ(menuOpenings, 2);
  EXPECT_EQ(desktop.installs.size(), 2u);
}

TEST_F(IndicatorTest, OnlyTheLeftShiftKeyHeldDownCounts) {
  EditorUses(0x04090409);
  desktop.Press(Indicator::kMiddleButton);
  desktop.Press(VK_RSHIFT);
  desktop.Press(VK_SHIFT);
  indicator.toLang_Timer();
  EXPECT_EQ(menuOpenings, 0);
  EXPECT_EQ(desktop.installs.size(), 1u);

  // Toggled but not held: the low bit alone.
  desktop.keyStates[Indicator::kLeftShift] = 1;
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  EXPECT_EQ(menuOpenings, 0);
  EXPECT_EQ(desktop.installs.size(), 2u);

  // Without a menu hook the gesture tick still polls nothing.
  Indicator bare(desktop);
  desktop.Press(Indicator::kLeftShift);
  desktop.calls.clear();
  bare.toLang_Timer();
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"KeyState", "KeyState"}));
}

TEST_F(IndicatorTest, NoWindowAtThePointerAsksForTheProgramsOwnThread) {
  desktop.pointer = {5, 6};  // no window scripted there
  desktop.threadLayouts[0] = Layout(0x04220422);
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.lastLayoutQuery, 0u);
  EXPECT_EQ(indicator.LastLayout(), 0x04220422u);
  EXPECT_EQ(desktop.installs.size(), 1u);
}

TEST_F(IndicatorTest, AFailedPointerQueryLooksAtTheOrigin) {
  desktop.PointAt({0, 0}, FakeWindow(0x3003), 99, Layout(0x04750475));
  desktop.pointer = {640, 480};
  desktop.pointerQueryFails = true;
  indicator.toLang_Timer();
  EXPECT_EQ(desktop.lastWindowQuery.x, 0);
  EXPECT_EQ(desktop.lastWindowQuery.y, 0);
  EXPECT_EQ(indicator.LastLayout(), 0x04750475u);
}

// What the installed cursor must show: the label where the layout rule puts
// it, the template's I-beam elsewhere, and transparency for the white rest.
class RenderingTest : public IndicatorTest {
 protected:
  // The label alone, drawn at `at` on white in the work surface's font and colour.
  Image LabelAlone(const std::string& text, LabelPoint at) {
    Surface alone;
    alone.CopySettingsFrom(indicator.pbCursor[1]);
    alone.PrintText(at.x, at.y, text);
    alone.SetPictureFromImageOf(alone);
    return ReadBitmap(alone.Picture());
  }

  void SaveImage(const std::string& name) {
    std::filesystem::create_directories("images");
    testing::WriteCursorImage("images/" + name + ".bmp", Installed());
  }
};

TEST_F(RenderingTest, TheLabelSitsInTheBottomRightCornerOverTheIBeam) {
  indicator.pbCursor[1].SetForeColor(kRed);
  indicator.pbCursor[1].SetFont([] {
    FontRecord font;
    font.name = "Tahoma";
    font.size = Fixed::Whole(8);
    return font;
  }());
  EditorUses(0x04090409);
  indicator.toLang_Timer();

  Surface& work = indicator.pbCursor[1];
  const SIZE extent = work.MeasureText("EN");
  const LabelPoint at{32 - extent.cx - 2, 32 - extent.cy};
  ASSERT_GT(at.x, 0);
  ASSERT_GT(at.y, 0);
  const Image label = LabelAlone("EN", at);
  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  const IconPlanes cursor = Installed();
  SaveImage("label_red_tahoma_en");

  ASSERT_EQ(cursor.color.width, 32);
  ASSERT_EQ(cursor.color.height, 32);
  EXPECT_FALSE(cursor.isIcon);
  EXPECT_EQ(cursor.hotX, indicator.IBeamInfo().xHotspot);
  EXPECT_EQ(cursor.hotY, indicator.IBeamInfo().yHotspot);
  int labelPixels = 0;
  int redPixels = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      uint32_t expected = label.at(x, y) != kWhite ? label.at(x, y) : beam.at(x, y);
      if (label.at(x, y) != kWhite) {
        ++labelPixels;
        ASSERT_GE(x, at.x);
        ASSERT_LT(x, at.x + extent.cx);
        ASSERT_GE(y, at.y);
      }
      redPixels += cursor.color.at(x, y) == 0xFF0000 ? 1 : 0;
      if (expected == kWhite) {
        ASSERT_EQ(cursor.mask.at(x, y), kTransparent) << x << "," << y;
        ASSERT_EQ(cursor.color.at(x, y), 0u) << x << "," << y;
      } else {
        ASSERT_EQ(cursor.mask.at(x, y), kOpaque) << x << "," << y;
        ASSERT_EQ(cursor.color.at(x, y), expected) << x << "," << y;
      }
    }
  }
  EXPECT_GT(labelPixels, 15);
  EXPECT_GT(redPixels, 5);
}

TEST_F(RenderingTest, ALabelInTheBackgroundColourVanishes) {
  EditorUses(0x04190419);
  indicator.toLang_Timer();
  indicator.pbCursor[1].SetForeColor(0x00FFFFFF);
  indicator.UpdateIndicator();  // as after a colour change: same layout, drawn again at once
  ASSERT_EQ(desktop.installs.size(), 2u);

  const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
  const IconPlanes cursor = Installed();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(cursor.mask.at(x, y), beam.at(x, y) == kWhite ? kTransparent : kOpaque) << x << "," << y;
}

TEST_F(RenderingTest, AFontTooLargeIsClippedAtTheEdgesAndStaysVisible) {
  Surface& work = indicator.pbCursor[1];
  work.SetForeColor(kRed);
  FontRecord font;
  font.name = "Tahoma";
  font.size = Fixed::Whole(60);
  font.setBold(true);
  work.SetFont(font);
  EditorUses(0x04090409);
  indicator.toLang_Timer();
  SaveImage("label_clipped");

  const SIZE extent = work.MeasureText("EN");
  EXPECT_LT(32 - extent.cx - 2, 0);
  EXPECT_LT(32 - extent.cy, 0);
  const Image composite = ReadBitmap(work.Picture());
  int redInTopRow = 0;
  for (int x = 0; x < 32; ++x) redInTopRow += composite.at(x, 0) == 0xFF0000 ? 1 : 0;
  EXPECT_GT(redInTopRow, 0) << "the label reaches over the top edge";

  // Only the white background is transparent, whatever covers the corner.
  const IconPlanes cursor = Installed();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(cursor.mask.at(x, y), composite.at(x, y) == kWhite ? kTransparent : kOpaque) << x << "," << y;
}

TEST(Rendering, AnIBeamCoveringTheCornerLeavesTheBackgroundTransparent) {
  testing::ScriptedDesktop desktop;
  // A stock I-beam whose picture starts with a black block in the top-left corner.
  platform::Bitmap picture(testing::MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) testing::SetBitmapPixel(picture.get(), x, y, RGB(0, 0, 0));
  for (int y = 2; y < 20; ++y) testing::SetBitmapPixel(picture.get(), 8, y, RGB(0, 0, 255));
  platform::Icon iBeam(BitmapToIcon(picture.get(), RGB(255, 255, 255), 0, 0, 8, 10, true, desktop));
  ASSERT_TRUE(iBeam);
  desktop.stockIBeam = iBeam.get();

  Indicator indicator(desktop);
  indicator.PrepareSurfaces();
  desktop.PointAt({1, 1}, FakeWindow(0x4004), 5, Layout(0x04190419));
  indicator.toLang_Timer();
  EXPECT_EQ(indicator.IBeamInfo().xHotspot, 8u);
  EXPECT_EQ(indicator.IBeamInfo().yHotspot, 10u);

  const Image composite = ReadBitmap(indicator.pbCursor[1].Picture());
  ASSERT_EQ(composite.at(0, 0), 0x000000u);
  const IconPlanes cursor = ReadIcon(desktop.InstalledCursor());
  EXPECT_EQ(cursor.mask.at(0, 0), kOpaque);
  EXPECT_EQ(cursor.mask.at(8, 5), kOpaque);
  EXPECT_EQ(cursor.color.at(8, 5), 0x0000FFu);
  EXPECT_EQ(cursor.mask.at(15, 5), kTransparent);
  EXPECT_EQ(cursor.mask.at(31, 0), kTransparent);
  int label = 0;
  for (int y = 16; y < 32; ++y)
    for (int x = 16; x < 32; ++x) label += cursor.mask.at(x, y) == kOpaque ? 1 : 0;
  EXPECT_GT(label, 8);
  EXPECT_LT(label, 16 * 16 / 2);
}

// The scripted desktop, except that the system refuses every cursor.
class RefusingDesktop final : public platform::Desktop {
 public:
  explicit RefusingDesktop(testing::ScriptedDesktop& inner) : inner_(inner) {}
  SHORT KeyState(int virtualKey) override { return inner_.KeyState(virtualKey); }
  int KeyboardLayoutCount() override { return inner_.KeyboardLayoutCount(); }
  BOOL CursorPos(POINT& point) override { return inner_.CursorPos(point); }
  HWND WindowAt(POINT point) override { return inner_.WindowAt(point); }
  DWORD WindowThread(HWND window) override { return inner_.WindowThread(window); }
  HKL ThreadLayout(DWORD threadId) override { return inner_.ThreadLayout(threadId); }
  int CursorWidth() override { return inner_.CursorWidth(); }
  int CursorHeight() override { return inner_.CursorHeight(); }
  BOOL ReloadSystemCursors() override { return inner_.ReloadSystemCursors(); }
  HCURSOR StockIBeam() override { return inner_.StockIBeam(); }
  BOOL InstallSystemCursor(HCURSOR cursor, DWORD) override {
    refused.push_back(cursor);
    return FALSE;
  }
  std::vector<HCURSOR> refused;

 private:
  testing::ScriptedDesktop& inner_;
};

TEST(Rendering, ACursorTheSystemRefusesIsNotLeft) {
  testing::ScriptedDesktop scripted;
  RefusingDesktop desktop(scripted);
  Indicator indicator(desktop);
  indicator.PrepareSurfaces();
  scripted.PointAt({1, 1}, FakeWindow(0x5005), 6, Layout(0x04090409));
  indicator.toLang_Timer();
  ASSERT_EQ(desktop.refused.size(), 1u);
  ASSERT_NE(desktop.refused[0], nullptr);
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(desktop.refused[0], &info)) << "destroyed";

  const auto before = testing::NextGdiSlots();
  for (int i = 0; i < 200; ++i) indicator.UpdateIndicator();
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

TEST(Rendering, BeforePreparationNothingIsDrawnAndNothingInstalled) {
  testing::ScriptedDesktop desktop;
  Indicator indicator(desktop);
  indicator.UpdateIndicator();
  ASSERT_EQ(desktop.installs.size(), 1u);
  EXPECT_EQ(desktop.installs[0].cursor, nullptr);
  EXPECT_EQ(desktop.InstalledCursor(), nullptr);
}

TEST_F(RenderingTest, ANewCursorSizeStretchesTheSurfaceButNotTheHotSpot) {
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
  RECT source{32, 32, -1, -1};
  RECT stretched{48, 40, -1, -1};
  auto extend = [](RECT& box, int x, int y) {
    box.left = std::min<LONG>(box.left, x);
    box.top = std::min<LONG>(box.top, y);
    box.right = std::max<LONG>(box.right, x + 1);
    box.bottom = std::max<LONG>(box.bottom, y + 1);
  };
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (composite.at(x, y) == 0xFF0000) extend(source, x, y);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 48; ++x)
      if (cursor.color.at(x, y) == 0xFF0000) extend(stretched, x, y);
  ASSERT_LT(source.left, source.right) << "no red label pixel";
  EXPECT_NEAR(stretched.left, source.left * 3 / 2, 1);
  EXPECT_NEAR(stretched.right, source.right * 3 / 2, 1);
  EXPECT_NEAR(stretched.top, source.top * 5 / 4, 1);
  EXPECT_NEAR(stretched.bottom, source.bottom * 5 / 4, 1);
}

TEST_F(RenderingTest, ComposedCursorsForEnglishRussianAndHawaiian) {
  for (auto [layout, name] : {std::pair{0x04090409u, "en"}, {0x04190419u, "ru"}, {0x04750475u, "haw"}}) {
    EditorUses(layout);
    indicator.toLang_Timer();
    SaveImage(std::string("indicator_") + name);
    const IconPlanes cursor = Installed();
    // Something opaque beside the I-beam, in the bottom-right corner.
    const Image beam = ReadBitmap(indicator.pbCursor[0].Picture());
    int label = 0;
    for (int y = 16; y < 32; ++y)
      for (int x = 16; x < 32; ++x) label += (cursor.mask.at(x, y) == kOpaque && beam.at(x, y) == kWhite) ? 1 : 0;
    EXPECT_GT(label, 8) << name;
  }
}

TEST_F(RenderingTest, TenThousandRendersLeaveNoGdiObjectBehind) {
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
  // Live objects may sit in other slots afterwards (the installed cursor's
  // bitmaps do), so the set of free slots shifts; its largest member moves up
  // by one for every object leaked.
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

}  // namespace
}  // namespace corvane
