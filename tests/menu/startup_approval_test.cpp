#include "menu/startup_approval.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// Marks as Task Manager and Settings leave them: none, on in its two forms,
// off in its two forms with the time it was switched off.
TEST(StartupMark, TheLowestBitOfTheFirstByteSwitchesTheEntryOff) {
  const std::string zeros(11, '\0');
  const std::string time("\0\0\0\x17\x79\xBD\x01\x17\xD9\xD1\x01", 11);
  for (const std::string& on : {std::string(), "\x02" + zeros, "\x06" + zeros}) EXPECT_FALSE(StartupMarkDisabled(on));
  for (const std::string& off : {"\x03" + time, "\x07" + time}) EXPECT_TRUE(StartupMarkDisabled(off));
}

}  // namespace
}  // namespace corvane
