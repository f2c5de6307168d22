#include "app/consent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace corvane {
namespace {

TEST(ConsentText, ThreeIndentedParagraphsWithoutTrailingBreak) {
  const std::string text = ConsentText();
  const std::string indent(8, ' ');
  const size_t first = text.find("\r\n\r\n");
  const size_t second = text.find("\r\n\r\n", first + 4);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  EXPECT_EQ(text.substr(0, 9), indent + "T");
  EXPECT_EQ(text.substr(first + 4, 9), indent + "S");
  EXPECT_EQ(text.substr(second + 4, 9), indent + "I");
  EXPECT_NE(text.find("text areas. Application control"), std::string::npos);
  EXPECT_NE(text.find("registry. However, this information is quite harmless, it concerns the automatic launch of "
                      "the application along with Windows. Moreover,"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 50), "program, create an exception for this application.");
  EXPECT_EQ(text.size(), 715u);
}

TEST(HalfOfWholeTwips, RoundsToTheTwipThenTruncatesTheHalf) {
  EXPECT_EQ(HalfOfWholeTwips(4680), 2340);
  EXPECT_EQ(HalfOfWholeTwips(4695), 2347);
  EXPECT_EQ(HalfOfWholeTwips(4695.6), 2348);
  EXPECT_EQ(HalfOfWholeTwips(4694.5), 2347);  // halves go to the even twip first
  EXPECT_EQ(HalfOfWholeTwips(4695.5), 2348);
  EXPECT_EQ(HalfOfWholeTwips(-15), -7);  // truncation toward zero
}

// The same pixel figures at 96, 120 and 144 dpi; at any scale the buttons
// stay centred as a pair, a margin apart, a margin above the bottom.
TEST(LayOutConsent, PixelLayoutAtEachScale) {
  for (double dpi : {72.0, 96.0, 110.0, 120.0, 131.0, 144.0, 192.0}) {
    const ConsentLayout l = LayOutConsent(1440.0 / dpi, 1440.0 / dpi, 32, 32);
    EXPECT_LE(std::abs(l.bbYes.left - (l.clientWidth - l.bbNo.left - l.bbNo.width)), 1) << dpi;
    EXPECT_EQ(l.bbNo.left - l.bbYes.left - l.bbYes.width, l.ibStart.left) << dpi;
    EXPECT_EQ(l.clientHeight, l.bbYes.top + l.bbYes.height + l.ibStart.top) << dpi;
    if (dpi != 96 && dpi != 120 && dpi != 144) continue;
    EXPECT_EQ(l.ibStart, (PixelRect{8, 8, 32, 32})) << dpi;
    EXPECT_EQ(l.tbStart, (PixelRect{56, 8, 400, 240})) << dpi;
    EXPECT_EQ(l.bbYes, (PixelRect{156, 256, 72, 24})) << dpi;
    EXPECT_EQ(l.bbNo, (PixelRect{236, 256, 72, 24})) << dpi;
    EXPECT_EQ((std::pair{l.clientWidth, l.clientHeight}), (std::pair{464, 288})) << dpi;
  }
  // A 48-pixel picture widens the margin column.
  const ConsentLayout big = LayOutConsent(15, 15, 48, 48);
  EXPECT_EQ(big.tbStart.left, 72);
  EXPECT_EQ(big.bbYes, (PixelRect{164, 256, 72, 24}));
  // An odd width: 313 pixels = 4695 twips, halved to 2347 twips = 156.47 pixels.
  EXPECT_EQ(LayOutConsent(15, 15, 33, 32).bbYes.left, 156);
  // Heights follow the vertical scale.
  EXPECT_EQ(LayOutConsent(15, 7.5, 32, 32).clientHeight, 288);
}

}  // namespace
}  // namespace corvane
