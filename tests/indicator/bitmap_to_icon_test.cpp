#include "indicator/bitmap_to_icon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/handles.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::IconPlanes;
using testing::MakeFilledBitmap;
using testing::ReadIcon;
using testing::Rgb;
using testing::SetBitmapPixel;

constexpr uint32_t kTransparent = 0xFFFFFF;  // mask bit 1 reads back as white
constexpr uint32_t kOpaque = 0x000000;

void SaveImage(const std::string& name, const IconPlanes& planes) {
  std::filesystem::create_directories("images");
  testing::WriteCursorImage("images/" + name + ".bmp", planes);
}

class BitmapToIconTest : public ::testing::Test {
 protected:
  testing::ScriptedDesktop desktop;
};

TEST_F(BitmapToIconTest, MaskIsExactlyTheTransparentColour) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  SetBitmapPixel(source.get(), 3, 4, RGB(255, 0, 0));
  SetBitmapPixel(source.get(), 10, 11, RGB(254, 255, 255));  // one step off white stays opaque
  SetBitmapPixel(source.get(), 20, 21, RGB(0, 0, 0));         // black is a colour, not transparency

  platform::Icon cursor(BitmapToIcon(source.get(), RGB(255, 255, 255), 0, 0, 1, 2, true, desktop));
  ASSERT_TRUE(cursor);
  IconPlanes planes = ReadIcon(cursor.get());
  SaveImage("mask_exact", planes);

  ASSERT_EQ(planes.mask.width, 32);
  ASSERT_EQ(planes.mask.height, 32);
  EXPECT_EQ(planes.maskBitsPerPixel, 1);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      bool opaque = (x == 3 && y == 4) || (x == 10 && y == 11) || (x == 20 && y == 21);
      ASSERT_EQ(planes.mask.at(x, y), opaque ? kOpaque : kTransparent) << x << "," << y;
      if (!opaque) {
        ASSERT_EQ(planes.color.at(x, y), 0u) << "transparent pixels are black in the colour plane";
      }
    }
  }
  EXPECT_EQ(planes.color.at(3, 4), 0xFF0000u);
  EXPECT_EQ(planes.color.at(10, 11), 0xFEFFFFu);
  EXPECT_EQ(planes.color.at(20, 21), 0x000000u);
}

TEST_F(BitmapToIconTest, MinusOneTakesTheTopLeftPixelEvenWhenItIsPartOfTheDrawing) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  for (int x = 0; x < 8; ++x) SetBitmapPixel(source.get(), x, 0, RGB(0, 0, 255));  // a blue stroke from the corner
  SetBitmapPixel(source.get(), 30, 30, RGB(0, 0, 255));

  platform::Icon cursor(BitmapToIcon(source.get(), -1, 0, 0, 0, 0, true, desktop));
  IconPlanes planes = ReadIcon(cursor.get());
  SaveImage("top_left_blue", planes);

  EXPECT_EQ(planes.mask.at(0, 0), kTransparent);
  EXPECT_EQ(planes.mask.at(7, 0), kTransparent);
  EXPECT_EQ(planes.mask.at(30, 30), kTransparent);
  EXPECT_EQ(planes.mask.at(8, 0), kOpaque) << "white is now an ordinary colour";
  EXPECT_EQ(planes.color.at(8, 0), 0xFFFFFFu);
  EXPECT_EQ(planes.color.at(30, 30), 0u);
}

TEST_F(BitmapToIconTest, CursorModeStretchesToTheSystemCursorSizeAndKeepsTheHotSpot) {
  // 16 x 8 source: left half red, right half green; bottom row blue.
  platform::Bitmap source(MakeFilledBitmap(16, 8, RGB(255, 255, 255)));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 16; ++x) SetBitmapPixel(source.get(), x, y, x < 8 ? RGB(255, 0, 0) : RGB(0, 255, 0));
  desktop.cursorWidth = 48;
  desktop.cursorHeight = 40;

  platform::Icon cursor(BitmapToIcon(source.get(), RGB(255, 255, 255), 100, 7, 5, 7, true, desktop));
  IconPlanes planes = ReadIcon(cursor.get());
  SaveImage("stretched_48x40", planes);

  EXPECT_FALSE(planes.isIcon);
  ASSERT_EQ(planes.color.width, 48);
  ASSERT_EQ(planes.color.height, 40);
  EXPECT_EQ(planes.hotX, 5u) << "hot spot is not scaled";
  EXPECT_EQ(planes.hotY, 7u);
  // x factor 3, y factor 5: source (7, 6) covers (21..23, 30..34), source row 7 covers 35..39.
  EXPECT_EQ(planes.color.at(23, 34), 0xFF0000u);
  EXPECT_EQ(planes.color.at(24, 34), 0x00FF00u);
  EXPECT_EQ(planes.color.at(47, 0), 0x00FF00u);
  EXPECT_EQ(planes.mask.at(24, 34), kOpaque);
  EXPECT_EQ(planes.mask.at(0, 35), kTransparent);
  EXPECT_EQ(planes.mask.at(47, 39), kTransparent);
}

TEST_F(BitmapToIconTest, NegativeHotSpotIsTheCentre) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(0, 0, 0)));
  platform::Icon cursor(BitmapToIcon(source.get(), -1, 0, 0, -1, -5, true, desktop));
  IconPlanes planes = ReadIcon(cursor.get());
  EXPECT_EQ(planes.hotX, 15u);
  EXPECT_EQ(planes.hotY, 15u);

  desktop.cursorWidth = 48;
  desktop.cursorHeight = 33;
  platform::Icon odd(BitmapToIcon(source.get(), -1, 0, 0, -1, 3, true, desktop));
  planes = ReadIcon(odd.get());
  EXPECT_EQ(planes.hotX, 23u);
  EXPECT_EQ(planes.hotY, 3u);
}

TEST_F(BitmapToIconTest, IconModeUsesTheRequestedOrTheSourceSize) {
  platform::Bitmap source(MakeFilledBitmap(24, 12, RGB(0, 128, 255)));
  SetBitmapPixel(source.get(), 0, 0, RGB(255, 255, 255));

  platform::Icon sized(BitmapToIcon(source.get(), RGB(255, 255, 255), 20, 10, 7, 7, false, desktop));
  IconPlanes planes = ReadIcon(sized.get());
  EXPECT_TRUE(planes.isIcon);
  EXPECT_EQ(planes.color.width, 20);
  EXPECT_EQ(planes.color.height, 10);
  // The system ignores an icon's hot spot and reports its centre.
  EXPECT_EQ(planes.hotX, 10u);
  EXPECT_EQ(planes.hotY, 5u);

  platform::Icon natural(BitmapToIcon(source.get(), RGB(255, 255, 255), 0, 0, 0, 0, false, desktop));
  planes = ReadIcon(natural.get());
  SaveImage("icon_24x12", planes);
  EXPECT_EQ(planes.color.width, 24);
  EXPECT_EQ(planes.color.height, 12);
  EXPECT_EQ(planes.mask.at(0, 0), kTransparent);
  EXPECT_EQ(planes.color.at(5, 5), 0x0080FFu);
}

TEST_F(BitmapToIconTest, RejectsMissingAndNonBitmapSourcesWithoutCreatingAnything) {
  platform::Brush brush(CreateSolidBrush(RGB(255, 0, 0)));
  platform::Font font(CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  auto before = testing::NextGdiSlots();
  EXPECT_EQ(BitmapToIcon(nullptr, -1, 0, 0, 0, 0, true, desktop), nullptr);
  EXPECT_EQ(BitmapToIcon(reinterpret_cast<HBITMAP>(brush.get()), -1, 0, 0, 0, 0, true, desktop), nullptr);
  EXPECT_EQ(BitmapToIcon(reinterpret_cast<HBITMAP>(font.get()), -1, 0, 0, 0, 0, false, desktop), nullptr);
  EXPECT_EQ(testing::NextGdiSlots(), before);
}

TEST_F(BitmapToIconTest, SourceIsLeftUntouchedAndUnselected) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  SetBitmapPixel(source.get(), 5, 5, RGB(1, 2, 3));
  testing::Image before = testing::ReadBitmap(source.get());
  platform::Icon cursor(BitmapToIcon(source.get(), -1, 0, 0, 0, 0, true, desktop));
  // Selecting it again would fail if the routine had left it selected in a DC.
  auto dc = platform::CreateMemoryDc();
  EXPECT_NE(SelectObject(dc.get(), source.get()), nullptr);
  SelectObject(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  dc.reset();
  EXPECT_EQ(testing::ReadBitmap(source.get()).pixels, before.pixels);
}

TEST_F(BitmapToIconTest, TenThousandCallsLeaveNoGdiObjectBehind) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  SetBitmapPixel(source.get(), 9, 9, RGB(0, 0, 0));
  // Warm up in both modes: the system may keep objects it makes on first use (the screen DC's caches).
  DestroyIcon(BitmapToIcon(source.get(), -1, 0, 0, -1, -1, true, desktop));
  DestroyIcon(BitmapToIcon(source.get(), -1, 0, 0, -1, -1, false, desktop));
  auto before = testing::NextGdiSlots();
  for (int i = 0; i < 10000; ++i) {
    HICON cursor = BitmapToIcon(source.get(), -1, 0, 0, -1, -1, (i % 2) == 0, desktop);
    ASSERT_NE(cursor, nullptr) << "call " << i;
    DestroyIcon(cursor);
  }
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

// The probe above must be able to fail: the same loop keeping one extra bitmap
// every thousand calls is caught.
TEST_F(BitmapToIconTest, LeakProbeSeesOneObjectInAThousandCalls) {
  platform::Bitmap source(MakeFilledBitmap(32, 32, RGB(255, 255, 255)));
  DestroyIcon(BitmapToIcon(source.get(), -1, 0, 0, -1, -1, true, desktop));
  auto before = testing::NextGdiSlots();
  std::vector<platform::Bitmap> kept;
  for (int i = 0; i < 10000; ++i) {
    DestroyIcon(BitmapToIcon(source.get(), -1, 0, 0, -1, -1, true, desktop));
    if (i % 1000 == 0) kept.emplace_back(CreateBitmap(1, 1, 1, 1, nullptr));
  }
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back() + 10);
}

TEST(BoolToInt, OneForAnyNonZero) {
  EXPECT_EQ(BoolToInt(true), 1);
  EXPECT_EQ(BoolToInt(false), 0);
  EXPECT_EQ(BoolToInt(-1), 1);
  EXPECT_EQ(BoolToInt(2), 1);
}

}  // namespace
}  // namespace corvane
