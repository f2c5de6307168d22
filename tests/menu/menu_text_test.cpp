#include "menu/menu_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TextBefore, FirstOccurrenceEmptyOrAbsentDelimiterAndCaseRules) {
  EXPECT_EQ(TextBefore("key=>value=>more", "=>"), "key");
  EXPECT_EQ(TextBefore(",lead", ","), "");
  EXPECT_EQ(TextBefore("abc", "", true), "abc");
  EXPECT_EQ(TextBefore("abc", "x", false), "abc");
  EXPECT_EQ(TextBefore("abc", "x", true), "");
  EXPECT_EQ(TextBefore("ab", "abc", false), "ab");
  // Binary comparison is case-sensitive, text comparison is not.
  EXPECT_EQ(TextBefore("fooXbar", "x", true), "");
  EXPECT_EQ(TextBefore("path\\BIN\\bin", "bin", false, CompareMode::Text), "path\\");
  // Bytes above 0x7F (ANSI letters) only ever match exactly.
  EXPECT_EQ(TextBefore("a\xE4" "b", "\xC4", true, CompareMode::Text), "");
}

TEST(CaptionWithTabText, ReplacesOrRemovesWhatFollowsTheFirstTab) {
  EXPECT_EQ(CaptionWithTabText("", "Close"), "\tClose");
  EXPECT_EQ(CaptionWithTabText("&Quit", "Alt+F4"), "&Quit\tAlt+F4");
  EXPECT_EQ(CaptionWithTabText("a\tb\tc", "d"), "a\td");
  EXPECT_EQ(CaptionWithTabText("&Open\tCtrl+O", ""), "&Open");
  EXPECT_EQ(CaptionWithTabText("\tClose", ""), "");
}

}  // namespace
}  // namespace corvane
