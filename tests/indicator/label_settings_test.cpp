// The label options of the settings file, seen on the installed cursor: each
// configured cursor is compared with the one an indicator without a settings
// file draws for a layout whose own name is the expected text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "indicator/indicator.h"
#include "support/files.h"
#include "support/gdi.h"
#include "support/scripted_desktop.h"

namespace corvane {
namespace {

constexpr std::int32_t kWindowText = -2147483640;
constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kBlue = 0xFF0000;

using Pixels = std::pair<std::vector<uint32_t>, std::vector<uint32_t>>;  // mask and colour planes

std::string Bytes(const std::string& path) {
  return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

// An indicator on a scripted desktop, over a plain stock I-beam: the label's
// pixels are then the only ones the options change.
struct Station {
  Station() { desktop.stockIBeam = iBeam.get(); }

  // One tick over a window whose thread uses `layout`, with Caps Lock toggled
  // on or off; the installed cursor.
  Pixels Tick(std::uint32_t layout, bool capsLock = false) {
    desktop.PointAt({100, 200}, reinterpret_cast<HWND>(0x1001), 77, reinterpret_cast<HKL>(layout));
    desktop.keyStates[VK_CAPITAL] = capsLock ? 1 : 0;
    desktop.calls.clear();
    indicator.toLang_Timer();
    const testing::IconPlanes planes = testing::ReadIcon(desktop.InstalledCursor());
    return {planes.mask.pixels, planes.color.pixels};
  }

  platform::Icon iBeam{testing::MakeIBeam(testing::IBeam::kPlain)};
  testing::ScriptedDesktop desktop;
  Indicator indicator{desktop};
};

// What an indicator without a settings file installs for `layout` in `color`.
Pixels Plain(std::uint32_t layout, std::int32_t color) {
  Station plain;
  plain.indicator.pbCursor[0].SetForeColor(color);
  plain.indicator.PrepareSurfaces();
  return plain.Tick(layout);
}

class LabelSettingsTest : public ::testing::Test, public Station {
 protected:
  void SetUp() override { indicator.PrepareSurfaces(); }

  void Write(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file.c_str());
  }

  testing::TempFolder folder{"corvane-label-settings"};
  const std::string file = folder.File("Corvane.dat");
};

TEST_F(LabelSettingsTest, LayoutsGiveTextAndColourFromTheNextChangeOnAndNothingElseChanges) {
  // Without the new keys: the calls and the cursor of today, Caps Lock not even read.
  Write("fwMain", "ForeColor", "255");
  Write("Font", "Name", "Tahoma");
  indicator.UseSettingsFile(file);
  EXPECT_EQ(Tick(0x04190419), Plain(0x04190419, kWindowText));
  EXPECT_EQ(desktop.calls.size(), 8u) << "the seven queries of a tick and the install";
  Tick(0x04190419, true);
  EXPECT_EQ(desktop.calls.size(), 7u);

  Write("Layouts", "F0020409", "RU,255");
  Write("Layouts", "0409", ",16711680");
  Write("Layouts", "0422", "UKRAINE,red");
  const std::string bytes = Bytes(file);
  Tick(0x04190419);
  EXPECT_EQ(desktop.installs.size(), 1u) << "an edit alone redraws";
  EXPECT_EQ(Tick(0xF0020409), Plain(0x04190419, kRed)) << "the handle's line over the language's";
  EXPECT_EQ(Tick(0x04090409), Plain(0x04090409, kBlue)) << "the language's colour, the built-in text";
  EXPECT_EQ(Tick(0x04220422), Plain(0x04220422, kWindowText)) << "bad values";
  EXPECT_EQ(Bytes(file), bytes) << "reading rewrote the file";
}

TEST_F(LabelSettingsTest, CapsLockBoxesTheLabelAndRedrawsOnceEachWay) {
  Write("fwMain", "CapsLock", "1");
  Write("Layouts", "0419", ",255");
  indicator.UseSettingsFile(file);
  const Pixels plain = Tick(0x04090409);
  EXPECT_EQ(plain, Plain(0x04090409, kWindowText));
  const Pixels boxed = Tick(0x04090409, true);
  for (int i = 0; i < 3; ++i) Tick(0x04090409, true);
  EXPECT_EQ(desktop.calls.size(), 8u) << "an idle tick reads Caps Lock and nothing more";
  EXPECT_EQ(Tick(0x04090409), plain);
  EXPECT_EQ(desktop.installs.size(), 3u);

  // The box covers the label's cell, black with the text in near-white; nothing else changes.
  const SIZE extent = indicator.pbCursor[1].MeasureText("EN");
  const LabelRect box = CapsLockBox(LabelOrigin(32, 32, extent.cx, extent.cy), extent.cx, extent.cy);
  int text = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const size_t i = static_cast<size_t>(y) * 32 + x;
      const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      ASSERT_EQ(boxed.first[i], inBox ? 0u : plain.first[i]) << x << "," << y;
      const uint32_t c = boxed.second[i];
      ASSERT_TRUE(inBox ? c == 0 || c == 0xFEFEFE : c == plain.second[i]) << x << "," << y;
      text += inBox && c == 0xFEFEFE;
    }
  EXPECT_GT(text, 10);

  // A layout's own colour makes the box; turning the option off shows at the next change.
  const std::vector<uint32_t> red = Tick(0x04190419, true).second;
  EXPECT_GT(std::count(red.begin(), red.end(), 0xFF0000u), 30);
  EXPECT_GT(std::count(red.begin(), red.end(), 0xFEFEFEu), 10);
  Write("fwMain", "CapsLock", "0");
  EXPECT_EQ(Tick(0x04090409, true), plain);
}

}  // namespace
}  // namespace corvane
