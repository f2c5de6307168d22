#include "menu/version_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(VersionText, PaddedMinorAndRevisionOnlyWhenPresent) {
  EXPECT_EQ(VersionText(0, 15, 0), "0.15");
  EXPECT_EQ(VersionText(1, 2, 3), "1.02.0003");
  EXPECT_EQ(VersionText(2, 0, 0), "2.00");
  // Wider numbers keep all their digits.
  EXPECT_EQ(VersionText(1, 150, 0), "1.150");
  EXPECT_EQ(VersionText(65535, 900, 12345), "65535.900.12345");
}

std::string About(const std::string& description, const std::string& comments, std::string_view note = "") {
  return AboutText({description, "(c) Maker", comments, 0, 15, 0}, note);
}
const std::string kTail = "Version 0.15\r\n" + std::string(60, ' ') + "\r\n(c) Maker\r\n";

TEST(AboutText, AllLinesInOrderEachEndingInCrLf) {
  EXPECT_EQ(About("Shows things", "https://x.example, me@x.example", kAboutNote),
            "Shows things\r\nVersion 0.15\r\n(Shows the language bar near the system cursor.)\r\n" +
                std::string(60, ' ') + "\r\n(c) Maker\r\nhttps://x.example\r\nme@x.example\r\n");
  EXPECT_EQ(About("One. Two. v1.2 x", "w"), "One.\r\nTwo.\r\nv1.2 x\r\n" + kTail + "w\r\n");
}

TEST(AboutText, OneTwoOrNoContactLines) {
  EXPECT_EQ(About("D", "one, two, three"), "D\r\n" + kTail + "one\r\ntwo\r\n");
  EXPECT_EQ(About("D", "one,two"), "D\r\n" + kTail + "one,two\r\n");
  EXPECT_EQ(About("D", ""), "D\r\n" + kTail);
}

}  // namespace
}  // namespace corvane
