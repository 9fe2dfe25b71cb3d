#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/log_line.h"
#include "platform/log_redirect.h"
#include "tests/unit/temp_dir.h"

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

std::string messagesOf(const std::string& text) {
  std::string result;
  size_t start = 0;
  while ((start = text.find("] ", start)) != std::string::npos) {
    const size_t end = text.find('\n', start);
    result += text.substr(start + 2, end - start - 1);
    start = end;
  }
  return result;
}

TEST(LogRedirect, AppendsBothStreamsInOrderAfterEarlierContent) {
  TempDir dir;
  const std::string log = dir / "Brisvane_alice0.log";
  writeFile(log, "earlier run\n");
  inChild(log, "first");
  inChild(log, "second");
  const std::string text = readFile(log);
  EXPECT_EQ(text.rfind("earlier run\n", 0), 0u);
  EXPECT_EQ(messagesOf(text), "first via log\nfirst after\nsecond via log\nsecond after\n");
  EXPECT_NE(text.find("first via stdout\n"), std::string::npos);
  EXPECT_LT(text.find("first via stdout"), text.find("first after"));
}

TEST(LogRedirect, CreatesAMissingFileButNotAMissingFolder) {
  TempDir dir;
  inChild(dir / "new0.log", "created");
  EXPECT_NE(readFile(dir / "new0.log").find("created via log"), std::string::npos);
  inChild(dir / "absent/new0.log", "lost");
  EXPECT_FALSE(std::filesystem::exists(dir / "absent"));
}

TEST(LogRedirect, NeverFollowsALinkNorOpensAFifo) {
  TempDir dir;
  writeFile(dir / "victim", "precious\n");
  std::filesystem::create_symlink(dir / "victim", dir / "link0.log");
  inChild(dir / "link0.log", "redirected");
  EXPECT_EQ(readFile(dir / "victim"), "precious\n");

  ASSERT_EQ(mkfifo((dir / "fifo0.log").c_str(), 0600), 0);
  inChild(dir / "fifo0.log", "must not hang");
}

}  // namespace
