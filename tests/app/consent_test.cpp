#include "app/consent.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(ConsentText, ThreeIndentedParagraphsWithoutTrailingBreak) {
  const std::string text = ConsentText();
  const std::string indent(8, ' ');
  const size_t first = text.find("\r\n\r\n");
  const size_t second = text.find("\r\n\r\n", first + 4);
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(text.find("\r\n\r\n", second + 4), std::string::npos);
  EXPECT_EQ(text.substr(0, 9), indent + "T");
  EXPECT_EQ(text.substr(first + 4, 9), indent + "S");
  EXPECT_EQ(text.substr(second + 4, 9), indent + "I");
  EXPECT_EQ(text.substr(text.size() - 42), " create an exception for this application.");
  // Line breaks come only in pairs, as CR LF.
  size_t crs = 0;
  for (char c : text) crs += c == '\r';
  EXPECT_EQ(crs, 4u);
  EXPECT_EQ(text.size(), 715u);
}

TEST(ConsentText, SentencesJoinWithTheirOwnLeadingBlank) {
  const std::string text = ConsentText();
  EXPECT_NE(text.find("text areas. Application control can be invoked by middle-clicking while holding down the "
                      "left Shift key.\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("to the system registry. However, this information is quite harmless, it concerns the "
                      "automatic launch of the application along with Windows. Moreover, the user can cancel"),
            std::string::npos);
  EXPECT_NE(text.find("from the antivirus program, create an exception"), std::string::npos);
}

TEST(HalfOfWholeTwips, RoundsToTheTwipThenTruncatesTheHalf) {
  EXPECT_EQ(HalfOfWholeTwips(4680), 2340);
  EXPECT_EQ(HalfOfWholeTwips(4695), 2347);
  EXPECT_EQ(HalfOfWholeTwips(4695.4), 2347);
  EXPECT_EQ(HalfOfWholeTwips(4695.6), 2348);
  EXPECT_EQ(HalfOfWholeTwips(4694.5), 2347);  // halves go to the even twip first
  EXPECT_EQ(HalfOfWholeTwips(4695.5), 2348);
  EXPECT_EQ(HalfOfWholeTwips(-15), -7);  // truncation toward zero
  EXPECT_EQ(HalfOfWholeTwips(-15.6), -8);
}

TEST(LayOutConsent, At96DpiWithThe32PixelIcon) {
  const ConsentLayout l = LayOutConsent(15, 15, 32, 32);
  EXPECT_EQ(l.ibStart, (PixelRect{8, 8, 32, 32}));
  EXPECT_EQ(l.tbStart, (PixelRect{56, 8, 400, 240}));
  EXPECT_EQ(l.bbYes, (PixelRect{156, 256, 72, 24}));
  EXPECT_EQ(l.bbNo, (PixelRect{236, 256, 72, 24}));
  EXPECT_EQ(l.clientWidth, 464);
  EXPECT_EQ(l.clientHeight, 288);
}

TEST(LayOutConsent, FollowsTheIconSizeAndTheScreenScale) {
  // 120 and 144 dpi: whole twips per pixel, the pixel layout is unchanged.
  for (double tpp : {12.0, 10.0}) {
    const ConsentLayout l = LayOutConsent(tpp, tpp, 32, 32);
    EXPECT_EQ(l.bbYes, (PixelRect{156, 256, 72, 24})) << tpp;
    EXPECT_EQ(l.clientWidth, 464) << tpp;
  }
  // A 48-pixel picture widens the margin column and pushes the buttons down.
  const ConsentLayout big = LayOutConsent(15, 15, 48, 48);
  EXPECT_EQ(big.tbStart, (PixelRect{72, 8, 400, 240}));
  EXPECT_EQ(big.clientWidth, 480);
  EXPECT_EQ(big.bbYes, (PixelRect{164, 256, 72, 24}));
  EXPECT_EQ(big.bbNo, (PixelRect{244, 256, 72, 24}));
  // An odd width: 465 - 144 - 8 = 313 pixels = 4695 twips, halved to 2347 = 156.47 pixels.
  const ConsentLayout odd = LayOutConsent(15, 15, 33, 32);
  EXPECT_EQ(odd.clientWidth, 465);
  EXPECT_EQ(odd.bbYes.left, 156);
  EXPECT_EQ(odd.bbNo.left, 236);
  // Different scales on the two axes: heights follow the vertical one.
  const ConsentLayout tall = LayOutConsent(15, 7.5, 32, 32);
  EXPECT_EQ(tall.bbYes, (PixelRect{156, 256, 72, 24}));
  EXPECT_EQ(tall.clientHeight, 288);
}

TEST(LayOutConsent, ButtonsStayCentredAsAPairAtAnyScale) {
  for (double dpi : {72.0, 96.0, 110.0, 120.0, 131.0, 144.0, 192.0}) {
    const double tpp = 1440.0 / dpi;
    const ConsentLayout l = LayOutConsent(tpp, tpp, 32, 32);
    const int leftGap = l.bbYes.left;
    const int rightGap = l.clientWidth - (l.bbNo.left + l.bbNo.width);
    EXPECT_LE(std::abs(leftGap - rightGap), 1) << dpi;
    EXPECT_EQ(l.bbNo.left - (l.bbYes.left + l.bbYes.width), l.ibStart.left) << dpi;
    EXPECT_EQ(l.clientHeight, l.bbYes.top + l.bbYes.height + l.ibStart.top) << dpi;
  }
}

}  // namespace
}  // namespace corvane
