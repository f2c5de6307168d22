#include "indicator/label_style.h"

#include <gtest/gtest.h>

namespace corvane {

void PrintTo(const LabelStyle& style, std::ostream* out) { *out << style.text << "," << style.color; }

namespace {

constexpr std::int32_t kLabelColor = -2147483640;  // the window-text colour

TEST(LayoutLabels, HandleThenLanguageThenBuiltInForTextAndColourEach) {
  const LayoutLabels labels({"0409=US,255", "f0020409=DV", "F0030409= ,65280", "0807 = ch , 16711680 ",
                             "0419=RU", "04190419=R1"});
  const struct {
    std::uint32_t layout;
    LabelStyle expected;
  } cases[] = {
      {0x04090409, {"US", 255}},         // language
      {0xF0020409, {"DV", 255}},         // handle's text, language's colour
      {0xF0030409, {"US", 65280}},       // handle's colour only
      {0x08070807, {"ch", 16711680}},    // blanks around key, text and colour
      {0x04070407, {"DE", kLabelColor}},  // neither
      {0x04190419, {"R1", kLabelColor}},
      {0xF0010419, {"RU", kLabelColor}},
  };
  for (const auto& c : cases) EXPECT_EQ(labels.For(c.layout, "DE", kLabelColor), c.expected) << std::hex << c.layout;
}

TEST(LayoutLabels, BadValuesGiveWayOneByOne) {
  // Too long, empty, a word or hex for a colour, keys that name no layout, a repeated key.
  const LayoutLabels labels({"0409=ENGL,255", "0419=RU,red", "0422=,&HFF", "0423=BY,99999999999", "0807",
                             "RU=XX,255", "04070=XX,255", "0x0407=XX,255", "=XX", "0415=PL", "0415=XX,255"});
  const std::pair<std::uint32_t, LabelStyle> cases[] = {
      {0x04090409, {"??", 255}}, {0x04190419, {"RU", kLabelColor}}, {0x04220422, {"??", kLabelColor}},
      {0x04230423, {"BY", kLabelColor}}, {0x08070807, {"??", kLabelColor}}, {0x04070407, {"??", kLabelColor}},
      {0x04150415, {"PL", kLabelColor}}};
  for (const auto& [layout, expected] : cases) EXPECT_EQ(labels.For(layout, "??", kLabelColor), expected) << layout;

  // Three two-byte characters are three characters; one cut after its first byte is none.
  const LayoutLabels wide({"0411=\x82\xA0\x82\xA2\x82\xA4", "0412=A\x82"}, [](char c) { return c == '\x82'; });
  EXPECT_EQ(wide.For(0x04110411, "JA", 0).text, "\x82\xA0\x82\xA2\x82\xA4");
  EXPECT_EQ(wide.For(0x04120412, "KO", 0).text, "KO");
}

TEST(ColorFromText, TheSettingsNumberRuleButNoNumberIsNoColour) {
  EXPECT_EQ(ColorFromText(" 255 "), 255);
  EXPECT_EQ(ColorFromText("- 2147483640"), -2147483640);
  EXPECT_EQ(ColorFromText("255.5"), 256);
  EXPECT_EQ(ColorFromText(".5e1"), 5);
  for (const char* bad : {"", " ", "red", "-", ".", "+-5", "&HFF", "0xFF", "2147483648"})
    EXPECT_EQ(ColorFromText(bad), std::nullopt) << bad;
}

TEST(BoxTextColor, ContrastsWithTheBoxAndIsNeverTheKeyedOutColour) {
  EXPECT_EQ(BoxTextColor(0x000000, 0xFFFFFF), 0xFEFEFEu);  // black box
  EXPECT_EQ(BoxTextColor(0x0000FF, 0xFFFFFF), 0xFEFEFEu);  // red
  EXPECT_EQ(BoxTextColor(0x00FFFF, 0xFFFFFF), 0x000000u);  // yellow
  EXPECT_EQ(BoxTextColor(0xFFFFFF, 0x000000), 0x010101u);
}

}  // namespace
}  // namespace corvane
