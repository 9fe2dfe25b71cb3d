#include <gtest/gtest.h>

#include "agent/kelm_agent.h"
#include "tests/unit/test_support.h"

namespace {

std::string shell(const std::string& command) {
  return KelmAgent().outputForGivenCommand("/bin/sh", {"-c", command});
}

TEST(CommandRunner, ReturnsOutputUnchangedWithItsLineBreaks) {
  EXPECT_EQ(shell("echo '  4242'"), "  4242\n");
  EXPECT_EQ(shell("printf 'one\\ntwo\\n\\nthree'"), "one\ntwo\n\nthree");
  EXPECT_EQ(shell("exit 3"), "");
}

TEST(CommandRunner, ReadsOutputFarLargerThanAPipeBuffer) {
  const std::string output = shell("head -c 1000000 /dev/zero | tr '\\0' x");
  EXPECT_EQ(output, std::string(1000000, 'x'));
}

TEST(CommandRunner, PassesEachArgumentWhole) {
  EXPECT_EQ(KelmAgent().outputForGivenCommand(
                "/bin/sh", {"-c", "printf '[%s]' \"$@\"", "sh", "a b", "", "%d"}),
            "[a b][][%d]");
}

TEST(CommandRunner, ErrorOutputGoesToInheritedStandardError) {
  CaptureStderr captured;
  EXPECT_EQ(shell("echo out; echo err >&2"), "out\n");
  EXPECT_EQ(captured.text(), "err\n");
}

TEST(CommandRunner, MissingProgramYieldsEmptyText) {
  EXPECT_EQ(KelmAgent().outputForGivenCommand("/nonexistent/program", {}), "");
  EXPECT_EQ(KelmAgent().outputForGivenCommand("sh", {"-c", "echo no search path"}), "");
}

TEST(CommandRunner, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(shell("printf 'a\\377b\\342\\202c'"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD"
            "c");
}

TEST(CommandRunner, NoDescriptorOfOursReachesTheChild) {
  // 0, 1 and 2 only: the listing itself opens one more to read the folder.
  const std::string fds = shell("ls /proc/self/fd | sort -n | tr '\\n' ' '");
  EXPECT_EQ(fds, "0 1 2 3 ");
}

}  // namespace
