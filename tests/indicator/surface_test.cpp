#include "indicator/surface.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/font.h"
#include "support/gdi.h"

namespace corvane {
namespace {

// The surface's pixels as 0x00RRGGBB, row by row, read through its device context.
std::vector<uint32_t> Pixels(const Surface& surface) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) pixels.push_back(testing::Rgb(GetPixel(surface.Dc(), x, y)));
  return pixels;
}

long Count(const Surface& surface, uint32_t color) { return std::ranges::count(Pixels(surface), color); }

TEST(Surface, StartsWithTheLabelDefaultsAndCopiesSettingsButNotTheDrawing) {
  Surface source;
  EXPECT_EQ(source.Font(), testing::MakeFont("Small Fonts", 6, 204));
  EXPECT_EQ(static_cast<std::uint32_t>(source.ForeColor()), 0x80000008u);
  EXPECT_EQ(source.BackColor(), 0x00FFFFFF);
  EXPECT_EQ(source.Width(), 0);
  // Zero or negative sizes hold no image, and drawing on none is harmless.
  source.SetSize(-5, 10);
  EXPECT_EQ(source.Height(), 0);
  source.SetPictureFromImageOf(source);
  EXPECT_EQ(source.Picture(), nullptr);
  source.PrintText(0, 0, "EN");

  source.SetSize(30, 20);
  source.SetBackColor(0x00FF0000);  // blue
  source.PrintText(0, 0, "EN");
  source.SetPictureFromImageOf(source);
  Surface copy;
  copy.CopySettingsFrom(source);
  EXPECT_EQ(copy.Picture(), nullptr);
  EXPECT_EQ(Count(copy, 0x0000FF), 30 * 20) << "blank, in its own background colour";
}

TEST(Surface, ClearingReturnsToTheBackgroundPicture) {
  Surface small;
  small.SetBackColor(0x0000FF00);  // green
  small.SetSize(10, 10);
  Surface surface;
  surface.SetSize(24, 16);
  surface.SetPictureFromImageOf(small);
  const std::vector<uint32_t> withPicture = Pixels(surface);
  EXPECT_EQ(testing::Rgb(GetPixel(surface.Dc(), 9, 9)), 0x00FF00u);
  EXPECT_EQ(testing::Rgb(GetPixel(surface.Dc(), 10, 9)), 0xFFFFFFu) << "beyond the picture: the background colour";

  surface.SetForeColor(0x000000FF);  // red
  surface.PrintText(2, 0, "RU");
  ASSERT_GT(Count(surface, 0xFF0000), 0);
  surface.Clear();
  EXPECT_EQ(Pixels(surface), withPicture);

  // A surface's own image as its picture survives the next clearing.
  surface.PrintText(2, 0, "RU");
  const std::vector<uint32_t> drawn = Pixels(surface);
  surface.SetPictureFromImageOf(surface);
  surface.PrintText(0, 0, "X");
  surface.Clear();
  EXPECT_EQ(Pixels(surface), drawn);
}

TEST(Surface, DrawsInTheCurrentFontAndColoursSystemColoursIncluded) {
  Surface surface;
  surface.SetSize(40, 30);
  const SIZE small = surface.MeasureText("EN");
  surface.SetFont(testing::MakeFont("Tahoma", 24, 0, true));
  const SIZE large = surface.MeasureText("EN");
  EXPECT_GT(large.cx, 2 * small.cx);
  EXPECT_GT(large.cy, 2 * small.cy);

  surface.SetBackColor(static_cast<std::int32_t>(0x8000000Fu));  // button face
  const uint32_t face = testing::Rgb(GetSysColor(COLOR_BTNFACE));
  const uint32_t highlight = testing::Rgb(GetSysColor(COLOR_HIGHLIGHT));
  ASSERT_NE(highlight, face);
  // 0x7F...: the unused high byte of a plain colour is ignored.
  for (auto [value, rgb] : {std::pair{0x8000000Du, highlight}, {0x7F0000FFu, 0xFF0000u}}) {
    surface.Clear();
    EXPECT_EQ(Count(surface, face), 40 * 30);
    surface.SetForeColor(static_cast<std::int32_t>(value));
    surface.PrintText(0, 0, "EN");
    EXPECT_GT(Count(surface, rgb), 20) << value;
  }

  surface.SetFont(Surface().Font());
  EXPECT_EQ(surface.MeasureText("EN").cx, small.cx);
  EXPECT_EQ(surface.MeasureText("EN").cy, small.cy);
}

}  // namespace
}  // namespace corvane
