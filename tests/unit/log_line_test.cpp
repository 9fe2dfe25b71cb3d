#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/log_line.h"
#include "tests/unit/test_support.h"

namespace {

TEST(LogLine, LayoutAndLineBreakRule) {
  std::tm time{};
  time.tm_year = 2026 - 1900, time.tm_mon = 0, time.tm_mday = 5;
  time.tm_hour = 7, time.tm_min = 8, time.tm_sec = 9;
  EXPECT_EQ(platform::formatLogLine("Log Open:Talvenor", time, 42, "talvenor", 123, 124),
            "2026-01-05 07:08:09.042 talvenor[123:124] Log Open:Talvenor\n");
  EXPECT_EQ(platform::formatLogLine("id   17\n", time, 0, "t", 1, 1),
            "2026-01-05 07:08:09.000 t[1:1] id   17\n");
}

TEST(LogLine, WritesTheMessageVerbatimAfterThisProcessesPrefix) {
  CaptureStderr log;
  platform::NSLog("100% %s %n %d done");
  const std::string text = log.text();
  const std::string prefix =
      std::string(program_invocation_short_name) + "[" + std::to_string(getpid()) + ":";
  ASSERT_GT(text.size(), 24u);  // after "YYYY-MM-DD HH:MM:SS.mmm "
  EXPECT_EQ(text.substr(24, prefix.size()), prefix);
  EXPECT_EQ(text.substr(text.find("] ") + 2), "100% %s %n %d done\n");
}

}  // namespace
