#include "menu/version_text.h"

#include <gtest/gtest.h>

#include "menu/font_dialog_logic.h"

namespace corvane {

TEST(VersionText, VersionAndAboutText) {
  EXPECT_EQ(VersionText(1, 2, 3) + " " + VersionText(2, 0, 0), "1.02.0003 2.00");
  // Each ". " starts a line; without a note no line for it; only two contact pieces.
  EXPECT_EQ(AboutText({"One. Two. v1.2 x", "(c)", "a, b, c", 1, 5, 0}, ""),
            "One.\r\nTwo.\r\nv1.2 x\r\nVersion 1.05\r\n" + std::string(60, ' ') + "\r\n(c)\r\na\r\nb\r\n");
}

// The system font dialog shows only plain colours and whole points: what the
// user leaves as shown comes back exactly as it went in.
TEST(FontDialog, TheAnswerTakesOnlyWhatTheUserChanged) {
  CommonDialog dialog{0, static_cast<std::int32_t>(0x80000008u), "Small Fonts", Fixed{80000}, true, false, true, false};
  const ChooserFont shown = ChooserFontFor(dialog, 96, 0);
  EXPECT_EQ(std::tuple(shown.height, shown.weight, shown.underline), std::tuple(-11L, 700L, true)) << "nearest pixel";
  CommonDialog taken = dialog;
  TakeChooserAnswer(taken, shown, ChooserFont{shown.face, shown.height, 700, false, true, false, 0, 100});
  EXPECT_EQ(std::pair(taken.Color, FontFromDialog(taken)), std::pair(dialog.Color, FontFromDialog(dialog)));
  TakeChooserAnswer(taken, shown, ChooserFont{"Arial", -16, 400, true, false, true, 0xFF, 120});
  EXPECT_EQ(std::tuple(taken.Color, taken.FontName, taken.FontSize, taken.FontBold, taken.FontStrikethru),
            std::tuple(0xFF, std::string("Arial"), Fixed::Whole(12), false, true));
}

}  // namespace corvane
