#include "menu/font_dialog_logic.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

FontRecord Cyrillic6() {
  FontRecord font;
  font.name = "Small Fonts";
  font.size = Fixed::Whole(6);
  font.charset = 204;
  return font;
}

TEST(FontDialogRules, DialogRoundTripKeepsFaceSizeAndFlagsButNotCharsetOrOddWeight) {
  FontRecord font = Cyrillic6();
  font.size = Fixed{97500};
  font.italic = true;
  font.strikethrough = true;
  font.setWeight(600);  // reads as bold
  CommonDialog dialog;
  FontToDialog(dialog, font);
  EXPECT_EQ(dialog.FontName, "Small Fonts");
  EXPECT_EQ(dialog.FontSize, Fixed{97500});
  EXPECT_TRUE(dialog.FontBold);
  EXPECT_TRUE(dialog.FontItalic);
  EXPECT_FALSE(dialog.FontUnderline);
  EXPECT_TRUE(dialog.FontStrikethru);

  const FontRecord back = FontFromDialog(dialog);
  EXPECT_EQ(back.name, "Small Fonts");
  EXPECT_EQ(back.size, Fixed{97500});
  EXPECT_EQ(back.charset, FontRecord{}.charset);
  EXPECT_EQ(back.charset, 0);
  EXPECT_EQ(back.weight(), 700);
  EXPECT_TRUE(back.italic);
  EXPECT_TRUE(back.strikethrough);
  EXPECT_FALSE(back.underline);
  EXPECT_FALSE(FontsEqual(back, font));

  dialog.FontBold = false;
  EXPECT_EQ(FontFromDialog(dialog).weight(), 400);
}

TEST(FontDialogRules, FontsEqualSeesEachOfTheEightProperties) {
  const FontRecord base = Cyrillic6();
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
  FontRecord source;
  source.name = "Tahoma";
  source.size = Fixed::Whole(11);
  source.charset = 0;
  source.setWeight(600);
  source.underline = true;
  FontRecord target = Cyrillic6();
  target.italic = true;
  target.strikethrough = true;
  CopyFont(source, target);
  EXPECT_EQ(target.name, "Tahoma");
  EXPECT_EQ(target.size, Fixed::Whole(11));
  EXPECT_EQ(target.charset, 0);
  EXPECT_EQ(target.weight(), 700);
  EXPECT_FALSE(target.italic);
  EXPECT_TRUE(target.underline);
  EXPECT_FALSE(target.strikethrough);

  source.setWeight(0);  // not bold, and a weight of 0 is not copied; bold still sets 400
  target.setWeight(900);
  CopyFont(source, target);
  EXPECT_EQ(target.weight(), 400);
}

// The system dialog can only show plain colours and whole-point sizes: what the
// user leaves alone must come back exactly as it went in.
TEST(FontDialogRules, AnswerLeftAsShownKeepsSystemColourAndFractionalSize) {
  CommonDialog dialog;
  dialog.Color = static_cast<std::int32_t>(0x80000008u);
  dialog.FontName = "Small Fonts";
  dialog.FontSize = Fixed{97500};
  const ChooserFont shown = ChooserFontFor(dialog, 96, 0x000000);
  ChooserFont answer = shown;
  answer.pointTenths = 100;  // the nearest size the dialog lists
  CommonDialog taken = dialog;
  TakeChooserAnswer(taken, shown, answer);
  EXPECT_EQ(taken.Color, static_cast<std::int32_t>(0x80000008u));
  EXPECT_EQ(taken.FontSize, Fixed{97500});
  EXPECT_EQ(FontFromDialog(taken), FontFromDialog(dialog));
}

TEST(FontDialogRules, AnswerTakesWhatTheUserChanged) {
  CommonDialog dialog;
  dialog.Color = static_cast<std::int32_t>(0x80000008u);
  dialog.FontName = "Small Fonts";
  dialog.FontSize = Fixed::Whole(6);
  const ChooserFont shown = ChooserFontFor(dialog, 96, 0x000000);

  ChooserFont answer = shown;
  answer.face = "small fonts";
  answer.color = 0x000000FF;
  answer.height = -16;
  answer.pointTenths = 120;
  answer.weight = 600;
  answer.italic = true;
  answer.underline = true;
  answer.strikeOut = true;
  TakeChooserAnswer(dialog, shown, answer);
  EXPECT_EQ(dialog.FontName, "small fonts");
  EXPECT_EQ(dialog.Color, 0x000000FF);
  EXPECT_EQ(dialog.FontSize, Fixed::Whole(12));
  EXPECT_TRUE(dialog.FontBold);
  EXPECT_TRUE(dialog.FontItalic);
  EXPECT_TRUE(dialog.FontUnderline);
  EXPECT_TRUE(dialog.FontStrikethru);

  // A colour left as shown keeps the dialog's value, here the red taken above.
  answer.color = shown.color;
  answer.weight = 400;
  TakeChooserAnswer(dialog, shown, answer);
  EXPECT_EQ(dialog.Color, 0x000000FF);
  EXPECT_FALSE(dialog.FontBold);
}

TEST(FontDialogRules, AnswerWithoutAReadableSizeKeepsTheShownSize) {
  CommonDialog dialog;
  dialog.FontName = "Tahoma";
  dialog.FontSize = Fixed::Whole(8);
  const ChooserFont shown = ChooserFontFor(dialog, 96, 0);
  ChooserFont answer = shown;
  answer.height = 0;
  answer.pointTenths = 0;
  TakeChooserAnswer(dialog, shown, answer);
  EXPECT_EQ(dialog.FontSize, Fixed::Whole(8));
}

}  // namespace
}  // namespace corvane
