#include "menu/menu_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TextBefore, CutsAtTheFirstOccurrenceOnly) {
  EXPECT_EQ(TextBefore("a,b,c", ","), "a");
  EXPECT_EQ(TextBefore("key=>value=>more", "=>"), "key");
  EXPECT_EQ(TextBefore(",lead", ","), "");
  EXPECT_EQ(TextBefore("", ","), "");
}

TEST(TextBefore, EmptyDelimiterGivesTheWholeText) {
  EXPECT_EQ(TextBefore("abc", ""), "abc");
  EXPECT_EQ(TextBefore("abc", "", true), "abc");
}

TEST(TextBefore, MissingDelimiterGivesWholeOrEmptyText) {
  EXPECT_EQ(TextBefore("abc", "x", false), "abc");
  EXPECT_EQ(TextBefore("abc", "x", true), "");
  EXPECT_EQ(TextBefore("ab", "abc", false), "ab");
}

TEST(TextBefore, BinaryCompareIsCaseSensitiveTextCompareIsNot) {
  EXPECT_EQ(TextBefore("fooXbar", "x", true), "");
  EXPECT_EQ(TextBefore("fooXbar", "x", true, CompareMode::Text), "foo");
  EXPECT_EQ(TextBefore("path\\BIN\\bin", "bin", false, CompareMode::Text), "path\\");
  // Bytes above 0x7F (ANSI letters) are only ever matched exactly.
  EXPECT_EQ(TextBefore("a\xE4" "b", "\xC4", true, CompareMode::Text), "");
}

TEST(CaptionWithTabText, EmptyCaptionGetsTabAndText) {
  EXPECT_EQ(CaptionWithTabText("", "Close"), "\tClose");
}

TEST(CaptionWithTabText, ReplacesEverythingAfterTheFirstTab) {
  EXPECT_EQ(CaptionWithTabText("&Open\tCtrl+O", "F3"), "&Open\tF3");
  EXPECT_EQ(CaptionWithTabText("a\tb\tc", "d"), "a\td");
  EXPECT_EQ(CaptionWithTabText("&Quit", "Alt+F4"), "&Quit\tAlt+F4");
}

TEST(CaptionWithTabText, EmptyTextLeavesOnlyThePartBeforeTheTab) {
  EXPECT_EQ(CaptionWithTabText("&Open\tCtrl+O", ""), "&Open");
  EXPECT_EQ(CaptionWithTabText("\tClose", ""), "");
  EXPECT_EQ(CaptionWithTabText("Plain", ""), "Plain");
}

}  // namespace
}  // namespace corvane
