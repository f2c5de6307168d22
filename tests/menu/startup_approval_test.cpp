#include "menu/startup_approval.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// Marks as Task Manager and Settings leave them: on, on in its other form,
// then off, with the time it was switched off.
TEST(StartupMark, TheLowestBitOfTheFirstByteSwitchesTheEntryOff) {
  const std::string time = std::string("\0\0\0\x17\x79\xBD\x01\x17\xD9\xD1\x01", 11);
  EXPECT_FALSE(StartupMarkDisabled(""));
  EXPECT_FALSE(StartupMarkDisabled(EnabledStartupMark()));
  EXPECT_FALSE(StartupMarkDisabled(std::string(1, '\x06') + std::string(11, '\0')));
  EXPECT_TRUE(StartupMarkDisabled("\x03" + time));
  EXPECT_TRUE(StartupMarkDisabled("\x07" + time));
  EXPECT_EQ(EnabledStartupMark(), std::string(1, '\x02') + std::string(11, '\0'));
}

}  // namespace
}  // namespace corvane
