#include "menu/version_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(VersionText, TwoDigitMinorAndFourDigitRevisionWhenPresent) {
  EXPECT_EQ(VersionText(0, 15, 0), "0.15");
  EXPECT_EQ(VersionText(1, 2, 3), "1.02.0003");
  EXPECT_EQ(VersionText(2, 0, 0), "2.00");
  EXPECT_EQ(VersionText(10, 99, 9999), "10.99.9999");
}

TEST(VersionText, WideNumbersKeepAllTheirDigits) {
  EXPECT_EQ(VersionText(1, 150, 0), "1.150");
  EXPECT_EQ(VersionText(1, 900, 0), "1.900");
  EXPECT_EQ(VersionText(65535, 65535, 65535), "65535.65535.65535");
  EXPECT_EQ(VersionText(0, 1, 12345), "0.01.12345");
}

TEST(SplitText, CutsAtEveryExactSeparator) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitText("a, b, c", ", "), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitText("a,b", ", "), (V{"a,b"}));
  EXPECT_EQ(SplitText("a, ", ", "), (V{"a", ""}));
  EXPECT_EQ(SplitText(", a", ", "), (V{"", "a"}));
  EXPECT_EQ(SplitText("", ", "), V{});
}

AboutFields Fields(std::string description, std::string comments) {
  AboutFields fields;
  fields.FileDescription = std::move(description);
  fields.LegalCopyright = "(c) Maker";
  fields.Comments = std::move(comments);
  fields.Major = 0;
  fields.Minor = 15;
  return fields;
}

const std::string kBlanks(60, ' ');

TEST(AboutText, AllLinesInOrderEachEndingInCrLf) {
  EXPECT_EQ(AboutText(Fields("Shows things", "https://x.example, me@x.example"), kAboutNote),
            "Shows things\r\nVersion 0.15\r\n(Shows the language bar near the system cursor.)\r\n" + kBlanks +
                "\r\n(c) Maker\r\nhttps://x.example\r\nme@x.example\r\n");
}

TEST(AboutText, EachSentenceOfTheDescriptionStartsALine) {
  const std::string text = AboutText(Fields("One. Two. Three.", "w"), "");
  EXPECT_EQ(text.substr(0, text.find("Version")), "One.\r\nTwo.\r\nThree.\r\n");
  // Only ". " splits: a full stop without a blank stays.
  EXPECT_EQ(AboutText(Fields("v1.2 x", "w"), "").substr(0, 8), "v1.2 x\r\n");
}

TEST(AboutText, EmptyNoteLeavesNoLine) {
  EXPECT_EQ(AboutText(Fields("D", "w"), ""), "D\r\nVersion 0.15\r\n" + kBlanks + "\r\n(c) Maker\r\nw\r\n");
}

TEST(AboutText, AtMostTwoContactLines) {
  EXPECT_EQ(AboutText(Fields("D", "one, two, three"), ""),
            "D\r\nVersion 0.15\r\n" + kBlanks + "\r\n(c) Maker\r\none\r\ntwo\r\n");
  EXPECT_EQ(AboutText(Fields("D", "one,two"), ""), "D\r\nVersion 0.15\r\n" + kBlanks + "\r\n(c) Maker\r\none,two\r\n");
}

TEST(AboutText, EmptyCommentsShowNoContactLine) {
  EXPECT_EQ(AboutText(Fields("D", ""), ""), "D\r\nVersion 0.15\r\n" + kBlanks + "\r\n(c) Maker\r\n");
}

TEST(AboutCaption, AboutFollowedByTheTrademark) { EXPECT_EQ(AboutCaption("Tirella\x99"), "About Tirella\x99"); }

}  // namespace
}  // namespace corvane
