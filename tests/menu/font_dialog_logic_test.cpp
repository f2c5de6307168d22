#include "menu/font_dialog_logic.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/font.h"

namespace corvane {
namespace {

using testing::MakeFont;

constexpr std::int32_t kWindowText = static_cast<std::int32_t>(0x80000008u);

TEST(FontDialogRules, DialogRoundTripKeepsFaceSizeAndFlagsButNotCharsetOrOddWeight) {
  FontRecord font = MakeFont("Small Fonts", 6, 204);
  font.size = Fixed{97500};
  font.italic = true;
  font.strikethrough = true;
  font.setWeight(600);  // reads as bold
  CommonDialog dialog;
  FontToDialog(dialog, font);
  EXPECT_EQ(dialog.FontName, "Small Fonts");
  EXPECT_EQ(dialog.FontSize, Fixed{97500});
  EXPECT_TRUE(dialog.FontBold && dialog.FontItalic && dialog.FontStrikethru && !dialog.FontUnderline);

  FontRecord expected = font;
  expected.charset = 0;  // a fresh record's
  expected.setBold(true);
  EXPECT_EQ(FontFromDialog(dialog), expected);
  dialog.FontBold = false;
  EXPECT_EQ(FontFromDialog(dialog).weight(), 400);
}

TEST(FontDialogRules, FontsEqualSeesEachOfTheEightProperties) {
  const FontRecord base = MakeFont("Small Fonts", 6, 204);
  EXPECT_TRUE(FontsEqual(base, base));
  std::vector<FontRecord> changed(8, base);
  changed[0].size = Fixed{60001};
  changed[1].name = "small fonts";
  changed[2].strikethrough = true;
  changed[3].underline = true;
  changed[4].italic = true;
  changed[5].charset = 0;
  changed[6].setBold(true);
  changed[7].setWeight(500);  // still not bold: only the weight differs
  for (size_t i = 0; i < changed.size(); ++i) {
    EXPECT_FALSE(FontsEqual(base, changed[i])) << "property " << i;
    EXPECT_FALSE(FontsEqual(changed[i], base)) << "property " << i;
  }
}

TEST(FontDialogRules, CopyFontOverwritesEverythingAndBoldDecidesTheWeight) {
  FontRecord expected = MakeFont("Tahoma", 11, 0, true);
  expected.underline = true;
  FontRecord source = expected;
  source.setWeight(600);
  FontRecord target = MakeFont("Small Fonts", 6, 204);
  target.italic = true;
  target.strikethrough = true;
  CopyFont(source, target);
  EXPECT_EQ(target, expected);

  source.setWeight(0);  // not bold, and a weight of 0 is not copied; bold still sets 400
  target.setWeight(900);
  CopyFont(source, target);
  EXPECT_EQ(target.weight(), 400);
}

// The system dialog can only show plain colours and whole-point sizes: what the
// user leaves alone, a size it cannot read included, must come back exactly as
// it went in.
TEST(FontDialogRules, AnswerTakesOnlyWhatTheUserChanged) {
  CommonDialog dialog;
  dialog.Color = kWindowText;
  dialog.FontName = "Small Fonts";
  dialog.FontSize = Fixed{97500};
  const ChooserFont shown = ChooserFontFor(dialog, 96, 0x000000);
  for (const auto& [height, pointTenths] : std::vector<std::pair<long, int>>{{shown.height, 100}, {0, 0}}) {
    ChooserFont answer = shown;
    answer.height = height;
    answer.pointTenths = pointTenths;  // 100: the nearest size the dialog lists
    CommonDialog taken = dialog;
    TakeChooserAnswer(taken, shown, answer);
    EXPECT_EQ(taken.Color, kWindowText);
    EXPECT_EQ(taken.FontSize, Fixed{97500}) << pointTenths;
    EXPECT_EQ(FontFromDialog(taken), FontFromDialog(dialog));
  }

  ChooserFont answer = shown;
  answer.face = "small fonts";
  answer.color = 0x000000FF;
  answer.height = -16;
  answer.pointTenths = 120;
  answer.weight = 600;
  answer.italic = answer.underline = answer.strikeOut = true;
  TakeChooserAnswer(dialog, shown, answer);
  EXPECT_EQ(dialog.FontName, "small fonts");
  EXPECT_EQ(dialog.Color, 0x000000FF);
  EXPECT_EQ(dialog.FontSize, Fixed::Whole(12));
  EXPECT_TRUE(dialog.FontBold && dialog.FontItalic && dialog.FontUnderline && dialog.FontStrikethru);

  // A colour left as shown keeps the dialog's value, here the red taken above.
  answer.color = shown.color;
  answer.weight = 400;
  TakeChooserAnswer(dialog, shown, answer);
  EXPECT_EQ(dialog.Color, 0x000000FF);
  EXPECT_FALSE(dialog.FontBold);
}

}  // namespace
}  // namespace corvane
