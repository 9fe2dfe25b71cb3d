#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/log_line.h"
#include "platform/log_redirect.h"
#include "tests/unit/test_support.h"

namespace {

// Redirecting changes the whole process, so each case runs in a child.
void inChild(const std::string& logPath, const std::string& message) {
  const pid_t child = fork();
  if (child == 0) {
    platform::redirectStandardStreams(logPath);
    platform::NSLog(message + " via log");
    std::printf("%s via stdout\n", message.c_str());
    std::fflush(stdout);
    platform::NSLog(message + " after");
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
}

TEST(LogRedirect, AppendsBothStreamsInOrderAfterEarlierContent) {
  TempDir dir;
  const std::string log = dir / "Brisvane_al0.log";
  writeFile(log, "earlier run\n");
  inChild(log, "first");
  inChild(log, "second");
  const std::string text = readFile(log);
  size_t at = 0;
  for (const char* line :
       {"earlier run\n", "] first via log\n", "first via stdout\n", "] first after\n",
        "] second via log\n", "second via stdout\n", "] second after\n"}) {
    at = text.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << text;
  }
}

TEST(LogRedirect, CreatesAMissingFileButNotAMissingFolder) {
  TempDir dir;
  inChild(dir / "new0.log", "created");
  EXPECT_NE(readFile(dir / "new0.log").find("created via log"), std::string::npos);
  inChild(dir / "absent/new0.log", "lost");
  EXPECT_FALSE(std::filesystem::exists(dir / "absent"));
}

}  // namespace
