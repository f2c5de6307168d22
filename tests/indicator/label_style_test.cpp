#include "indicator/label_style.h"

#include <gtest/gtest.h>

#include "indicator/cursor_image.h"

namespace corvane {

void PrintTo(const LabelStyle& style, std::ostream* out) { *out << style.text << "," << style.color; }

namespace {

constexpr std::int32_t kLabelColor = -2147483640;  // the window-text colour

TEST(LayoutLabels, HandleThenLanguageThenBuiltInForTextAndColourEachAndBadValuesGiveWay) {
  const LayoutLabels labels({"0409=US,255", "f0020409=DV", "F0030409= ,65280", "0807 = ch , 16711680 ", "0419=RU",
                             "04190419=R1",
                             // four characters, a word, hex and beyond 32 bits for colours, keys naming no layout, a repeat
                             "0422=UKRA,255", "0423=BY,red", "0424=,&HFF", "0425=ET,99999999999", "0426",
                             "LV=XX,255", "04270=XX,255", "0x0427=XX,255", "=XX", "0415=PL", "0415=XX,255"});
  const std::pair<std::uint32_t, LabelStyle> cases[] = {
      // language; handle's text with the language's colour; handle's colour only; blanks anywhere
      {0x04090409, {"US", 255}}, {0xF0020409, {"DV", 255}}, {0xF0030409, {"US", 65280}}, {0x08070807, {"ch", 16711680}},
      // the handle's text over the language's; no line at all
      {0x04190419, {"R1", kLabelColor}}, {0xF0010419, {"RU", kLabelColor}}, {0x04070407, {"--", kLabelColor}},
      // the bad values
      {0x04220422, {"--", 255}}, {0x04230423, {"BY", kLabelColor}}, {0x04240424, {"--", kLabelColor}},
      {0x04250425, {"ET", kLabelColor}}, {0x04260426, {"--", kLabelColor}}, {0x04270427, {"--", kLabelColor}},
      {0x04150415, {"PL", kLabelColor}}};
  for (const auto& [layout, expected] : cases) EXPECT_EQ(labels.For(layout, "--", kLabelColor), expected) << layout;

  // Three two-byte characters are three characters; one cut after its first byte is none.
  const LayoutLabels wide({"0411=\x82\xA0\x82\xA2\x82\xA4", "0412=A\x82"}, [](char c) { return c == '\x82'; });
  EXPECT_EQ(wide.For(0x04110411, "JA", 0).text, "\x82\xA0\x82\xA2\x82\xA4");
  EXPECT_EQ(wide.For(0x04120412, "KO", 0).text, "KO");
}

TEST(ColorFromText, TheSettingsNumberRuleButNoNumberIsNoColour) {
  for (auto [text, color] : {std::pair{" 255 ", 255}, {"- 2147483640", -2147483640}, {"255.5", 256}, {".5e1", 5}})
    EXPECT_EQ(ColorFromText(text), color) << text;
  for (const char* bad : {"", " ", "red", "-", ".", "+-5", "&HFF", "0xFF", "2147483648"})
    EXPECT_EQ(ColorFromText(bad), std::nullopt) << bad;
}

// Over a 32-bit I-beam a label in the window-text colour gets a contrasting outline on every pixel next to it,
// diagonals included, and nowhere else.
TEST(ComposeLabelledCursor, OutlinesEveryNeighbourOfTheLabelOverA32BitIBeam) {
  LabelledPicture picture{5, 5, std::vector<std::uint32_t>(25, 0xFFFFFF), std::vector<std::uint8_t>(25, 0)};
  picture.ink[12] = 1;
  picture.pixels[12] = 0;
  const CursorImage cursor = ComposeLabelledCursor(CursorImage::Transparent(5, 5, true), picture, true, 0, 5, 5);
  std::string drawn;
  for (std::size_t i = 0; i < 25; ++i) drawn += cursor.andMask[i] ? '.' : cursor.color[i] == 0xFFFFFFFF ? 'o' : 'L';
  EXPECT_EQ(drawn, "....." ".ooo." ".oLo." ".ooo." ".....");
}

TEST(BoxTextColor, ContrastsWithTheBoxAndIsNeverTheKeyedOutColour) {
  EXPECT_EQ(BoxTextColor(0x000000, 0xFFFFFF), 0xFEFEFEu);  // black box: white is keyed out
  EXPECT_EQ(BoxTextColor(0x00FFFF, 0xFFFFFF), 0x000000u);  // yellow
}

}  // namespace
}  // namespace corvane
