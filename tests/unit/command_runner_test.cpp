#include <gtest/gtest.h>

#include "agent/kelm_agent.h"

TEST(CommandRunner, OutputAsItCameWithIllFormedUtf8Replaced) {
  const std::string fffd = "\xEF\xBF\xBD";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"-c", "echo out; echo err >&2"}, "out\n"},  // errors go to the inherited standard error
      {{"-c", "printf '  42\\n\\nx'; exit 3"}, "  42\n\nx"},
      {{"-c", "printf '[%s]' \"$@\"", "sh", "a b", "", "%d"}, "[a b][][%d]"},
      {{"-c", "head -c 1000000 /dev/zero | tr '\\0' x"}, std::string(1000000, 'x')},
      // 0, 1 and 2 only: the listing itself opens one more to read the folder.
      {{"-c", "ls /proc/self/fd | sort -n | tr '\\n' ' '"}, "0 1 2 3 "},
      // Overlong, surrogate, truncated: one U+FFFD for each maximal part; a NUL is text.
      {{"-c", "printf 'caf\\303\\251 \\300\\257|\\355\\240\\200|\\0|\\342\\202'"},
       "caf\xC3\xA9 " + fffd + fffd + "|" + fffd + fffd + fffd + std::string("|\0|", 3) + fffd},
  };
  testing::internal::CaptureStderr();
  for (const auto& [arguments, output] : cases)
    EXPECT_EQ(KelmAgent().outputForGivenCommand("/bin/sh", arguments), output) << arguments[1];
  EXPECT_EQ(KelmAgent().outputForGivenCommand("/nonexistent/program", {}), "");
  EXPECT_EQ(KelmAgent().outputForGivenCommand("sh", {"-c", "echo no search path"}), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "err\n");
}
