// The labelled I-beam as the user sees it: drawn by the system over a black and
// over a white screen, for each kind of I-beam the user may have.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "indicator/bitmap_to_icon.h"
#include "indicator/indicator.h"
#include "platform/handles.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

using testing::IBeam;
using testing::Image;

constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);
constexpr std::int32_t kWhiteLabel = 0x00FFFFFF;  // the colour keyed out as transparent
constexpr std::int32_t kRedLabel = 0x000000FF;
constexpr COLORREF kScreens[] = {RGB(0, 0, 0), RGB(255, 255, 255)};

// The cursor drawn as the system draws it, over a 32 x 32 screen of one colour
// (black or white, which read the same as COLORREF and as 0x00RRGGBB).
Image DrawnOver(HCURSOR cursor, COLORREF screen) {
  platform::Bitmap bitmap(testing::MakeBitmap(Image{32, 32, std::vector<uint32_t>(32 * 32, screen)}));
  {
    auto dc = platform::CreateMemoryDc();
    platform::SelectionScope selection(dc.get(), bitmap.get());
    DrawIconEx(dc.get(), 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL);
  }
  return testing::ReadBitmap(bitmap.get());
}

// Pixels within [left, right) x [top, bottom) that differ from the screen's colour.
int Standing(const Image& image, COLORREF screen, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += image.at(x, y) != screen;
  return count;
}

class LabelledIBeam : public ::testing::Test {
 protected:
  void SetUp() override { desktop.PointAt({1, 1}, reinterpret_cast<HWND>(0x1001), 7, reinterpret_cast<HKL>(0x04090409)); }

  // A program activated with `kind` as the user's I-beam and `color` as the
  // label's, after its first tick has drawn EN; the installed cursor.
  HCURSOR Compose(IBeam kind, std::int32_t color) {
    iBeam.reset(testing::MakeIBeam(kind));
    desktop.stockIBeam = iBeam.get();
    indicator.emplace(desktop);
    indicator->pbCursor[0].SetForeColor(color);
    indicator->PrepareSurfaces();
    indicator->toLang_Timer();
    return desktop.InstalledCursor();
  }

  platform::Icon iBeam;
  testing::ScriptedDesktop desktop;
  std::optional<Indicator> indicator;
};

TEST_F(LabelledIBeam, APlainIBeamIsComposedExactlyByKeyingOutTheBackground) {
  for (std::int32_t color : {kWindowText, kRedLabel}) {
    const testing::IconPlanes composed = testing::ReadIcon(Compose(IBeam::kPlain, color));
    platform::Icon keyed(BitmapToIcon(indicator->pbCursor[1].Picture(), RGB(255, 255, 255), 0, 0, 4, 10, true, desktop));
    const testing::IconPlanes expected = testing::ReadIcon(keyed.get());
    EXPECT_EQ(composed.mask.pixels, expected.mask.pixels) << color;
    EXPECT_EQ(composed.color.pixels, expected.color.pixels) << color;
    EXPECT_EQ(composed.hotX, 4u);
    EXPECT_EQ(composed.hotY, 10u);
  }
}

// The beam (columns 2-7) and the label (the bottom-right corner) stand out from
// a black and from a white screen, as the user's own I-beam does; the rest of
// the cursor leaves the screen alone.
TEST_F(LabelledIBeam, BeamAndLabelStandOutOnDarkAndLightScreens) {
  struct Case {
    IBeam kind;
    std::int32_t color;
    const char* name;
    bool onWhite;  // a white label cannot stand out from white
  };
  for (const Case& c : {Case{IBeam::kInverting, kWindowText, "inverting", true},
                        Case{IBeam::kInverting, kRedLabel, "inverting_red", true},
                        Case{IBeam::kTranslucent, kWindowText, "translucent", true},
                        Case{IBeam::kPlain, kWhiteLabel, "plain_white", false}}) {
    const HCURSOR cursor = Compose(c.kind, c.color);
    for (COLORREF screen : kScreens) {
      const Image drawn = DrawnOver(cursor, screen);
      EXPECT_GT(Standing(drawn, screen, 2, 2, 8, 22), 20) << c.name << " beam on " << screen;
      EXPECT_EQ(Standing(drawn, screen, 12, 0, 32, 16), 0) << c.name << " elsewhere on " << screen;
      if (screen == kScreens[0] || c.onWhite) {
        EXPECT_GT(Standing(drawn, screen, 12, 20, 32, 32), 12) << c.name << " label on " << screen;
      }
    }
  }

  // The inverting beam keeps its own planes: AND 1 with a white colour plane.
  const testing::IconPlanes inverting = testing::ReadIcon(Compose(IBeam::kInverting, kRedLabel));
  EXPECT_EQ(inverting.mask.at(4, 10), 0xFFFFFFu);
  EXPECT_EQ(inverting.color.at(4, 10), 0xFFFFFFu);
  // Half-transparent white edges show half the black screen through.
  const uint32_t edge = DrawnOver(Compose(IBeam::kTranslucent, kWindowText), kScreens[0]).at(3, 10);
  EXPECT_GT(edge & 0xFF, 0x40u);
  EXPECT_LT(edge & 0xFF, 0xC0u);
}

// The one long leak run: every path a rendering takes, BitmapToIcon's included.
TEST_F(LabelledIBeam, TwentyThousandRendersOnEveryKindOfIBeamLeaveNoGdiObject) {
  const IBeam kinds[] = {IBeam::kPlain, IBeam::kInverting, IBeam::kTranslucent};
  for (IBeam kind : kinds) Compose(kind, kWindowText);
  const auto before = testing::NextGdiSlots();
  for (IBeam kind : kinds) {
    Compose(kind, kWindowText);
    for (int i = 1; i < 6667; ++i) indicator->UpdateIndicator();
  }
  EXPECT_EQ(desktop.installs.size(), 3u + 3u * 6667u);
  EXPECT_EQ(testing::NextGdiSlots().back(), before.back());
}

}  // namespace
}  // namespace corvane
