#include "indicator/surface.h"

#include <gtest/gtest.h>

#include "support/gdi.h"

namespace corvane {
namespace {

using testing::Image;
using testing::Rgb;

constexpr std::int32_t kRed = 0x000000FF;

// The surface's image as 0x00RRGGBB, read through its device context.
Image ReadSurface(const Surface& surface) {
  Image image;
  image.width = surface.Width();
  image.height = surface.Height();
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(Rgb(GetPixel(surface.Dc(), x, y)));
  return image;
}

int CountPixels(const Image& image, uint32_t color) {
  int count = 0;
  for (uint32_t p : image.pixels) count += p == color ? 1 : 0;
  return count;
}

FontRecord LargeFont(int points) {
  FontRecord font;
  font.name = "Tahoma";
  font.size = Fixed::Whole(points);
  font.setBold(true);
  return font;
}

TEST(Surface, StartsWithTheLabelDefaults) {
  Surface surface;
  const FontRecord& font = surface.Font();
  EXPECT_EQ(font.name, "Small Fonts");
  EXPECT_EQ(font.size, Fixed::Whole(6));
  EXPECT_EQ(font.weight(), 400);
  EXPECT_EQ(font.charset, 204);
  EXPECT_FALSE(font.bold());
  EXPECT_FALSE(font.italic);
  EXPECT_FALSE(font.underline);
  EXPECT_FALSE(font.strikethrough);
  EXPECT_EQ(static_cast<std::uint32_t>(surface.ForeColor()), 0x80000008u);
  EXPECT_EQ(surface.BackColor(), 0x00FFFFFF);
  EXPECT_EQ(surface.Width(), 0);
  EXPECT_EQ(surface.Height(), 0);
  EXPECT_EQ(surface.Picture(), nullptr);
}

TEST(Surface, CopyTakesSizeColoursAndFontButNotTheDrawing) {
  Surface source;
  source.SetSize(30, 20);
  source.SetForeColor(kRed);
  source.SetBackColor(0x00FF0000);  // blue
  source.SetFont(LargeFont(14));
  source.PrintText(0, 0, "EN");
  source.SetPictureFromImageOf(source);

  Surface copy;
  copy.CopySettingsFrom(source);
  EXPECT_EQ(copy.Width(), 30);
  EXPECT_EQ(copy.Height(), 20);
  EXPECT_EQ(copy.ForeColor(), kRed);
  EXPECT_EQ(copy.BackColor(), 0x00FF0000);
  EXPECT_EQ(copy.Font(), LargeFont(14));
  EXPECT_EQ(copy.Picture(), nullptr);
  EXPECT_EQ(CountPixels(ReadSurface(copy), 0x0000FF), 30 * 20) << "blank, in its own background colour";
}

TEST(Surface, ClearingReturnsToTheBackgroundPicture) {
  Surface small;
  small.SetSize(10, 10);
  small.SetBackColor(0x0000FF00);  // green
  small.Clear();

  Surface surface;
  surface.SetSize(24, 16);
  surface.SetPictureFromImageOf(small);
  Image withPicture = ReadSurface(surface);
  EXPECT_EQ(withPicture.at(9, 9), 0x00FF00u);
  EXPECT_EQ(withPicture.at(10, 9), 0xFFFFFFu) << "beyond the picture: the background colour";

  surface.SetForeColor(kRed);
  surface.SetFont(LargeFont(12));
  surface.PrintText(2, 0, "RU");
  ASSERT_GT(CountPixels(ReadSurface(surface), 0xFF0000), 0);
  surface.Clear();
  EXPECT_EQ(ReadSurface(surface).pixels, withPicture.pixels);

  // A surface's own image as its picture survives the next clearing.
  surface.PrintText(2, 0, "RU");
  Image drawn = ReadSurface(surface);
  surface.SetPictureFromImageOf(surface);
  surface.PrintText(0, 0, "X");
  surface.Clear();
  EXPECT_EQ(ReadSurface(surface).pixels, drawn.pixels);
}

TEST(Surface, ColourValuesWithTheTopBitAreSystemColours) {
  Surface surface;
  surface.SetSize(40, 30);
  surface.SetFont(LargeFont(16));
  surface.SetBackColor(static_cast<std::int32_t>(0x8000000Fu));  // button face
  surface.Clear();
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(CountPixels(ReadSurface(surface), face), 40 * 30);

  surface.SetForeColor(static_cast<std::int32_t>(0x8000000Du));  // highlight
  surface.PrintText(0, 0, "EN");
  const uint32_t highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT));
  ASSERT_NE(highlight, face);
  EXPECT_GT(CountPixels(ReadSurface(surface), highlight), 20);

  surface.Clear();
  surface.SetForeColor(static_cast<std::int32_t>(0x7F0000FFu));  // the unused high byte is ignored
  surface.PrintText(0, 0, "EN");
  EXPECT_GT(CountPixels(ReadSurface(surface), 0xFF0000), 20);
}

TEST(Surface, TheDrawingFontFollowsEveryFontChange) {
  Surface surface;
  surface.SetSize(32, 32);
  const SIZE small = surface.MeasureText("EN");
  EXPECT_GT(small.cx, 0);
  EXPECT_GT(small.cy, 0);

  surface.SetFont(LargeFont(24));
  const SIZE large = surface.MeasureText("EN");
  EXPECT_GT(large.cx, 2 * small.cx);
  EXPECT_GT(large.cy, 2 * small.cy);

  FontRecord font = surface.Font();
  font.size = Fixed{120000};  // 12 pt: half of 24 pt
  surface.SetFont(font);
  const SIZE half = surface.MeasureText("EN");
  EXPECT_NEAR(half.cy * 2, large.cy, 2);

  Surface fresh;
  surface.SetFont(fresh.Font());
  EXPECT_EQ(surface.MeasureText("EN").cx, small.cx);
  EXPECT_EQ(surface.MeasureText("EN").cy, small.cy);
}

TEST(Surface, ZeroOrNegativeSizeHoldsNoImage) {
  Surface surface;
  surface.SetSize(-5, 10);
  EXPECT_EQ(surface.Width(), 0);
  EXPECT_EQ(surface.Height(), 0);
  surface.SetPictureFromImageOf(surface);
  EXPECT_EQ(surface.Picture(), nullptr);
  surface.PrintText(0, 0, "EN");
  surface.Clear();
}

}  // namespace
}  // namespace corvane
