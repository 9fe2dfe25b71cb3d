#include <gtest/gtest.h>

#include <filesystem>

#include "agent/kelm_agent.h"
#include "logging/kelm_logger.h"
#include "platform/files.h"
#include "platform/user.h"
#include "tests/unit/test_support.h"

namespace {

namespace fs = std::filesystem;

class LogRotation : public ::testing::Test {
 protected:
  std::string file(int index) const {
    return dir / ("Brisvane_al" + std::to_string(index) + ".log");
  }
  void writeIndexes(int from, int to) {
    for (int i = from; i <= to; ++i) writeFile(file(i), "file " + std::to_string(i));
  }
  void rotate() { KelmLogger::inFolder(dir.path(), "Brisvane_al").rotateIfTooLarge(); }
  void setCurrentSize(std::uintmax_t size) { fs::resize_file(file(0), size); }

  TempDir dir;
};

TEST_F(LogRotation, OnlyAFileStrictlyOverTwoMebibytesRotates) {
  EXPECT_EQ(KelmLogger::inFolder(dir.path(), "Brisvane_al").getLogFileSize(), 0u);
  writeFile(file(0), "");
  setCurrentSize(2097152);
  rotate();
  EXPECT_FALSE(fs::exists(file(1)));
  setCurrentSize(2097153);
  rotate();
  EXPECT_FALSE(fs::exists(file(0)));
  EXPECT_EQ(fs::file_size(file(1)), 2097153u);
}

TEST_F(LogRotation, FullChainDropsTheOldestAndLeavesIndexElevenAlone) {
  writeIndexes(0, 11);
  setCurrentSize(2097153);
  rotate();
  EXPECT_FALSE(fs::exists(file(0)));
  EXPECT_EQ(fs::file_size(file(1)), 2097153u);
  for (int i = 2; i <= 10; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i - 1));
  EXPECT_EQ(readFile(file(11)), "file 11");
}

TEST_F(LogRotation, AGapStopsTheShift) {
  writeIndexes(0, 2);
  writeIndexes(4, 10);
  setCurrentSize(2097153);
  rotate();
  EXPECT_EQ(readFile(file(3)), "file 2");
  EXPECT_EQ(readFile(file(2)), "file 1");
  for (int i = 4; i <= 10; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i));
}

TEST_F(LogRotation, FailedRemovalOfTheOldestRotatesNothing) {
  writeIndexes(0, 9);
  setCurrentSize(2097153);
  fs::create_directories(file(10) + "/keep");  // cannot be unlinked, even by root
  rotate();
  EXPECT_EQ(fs::file_size(file(0)), 2097153u);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i));
}

TEST(MoveItemNoReplace, RefusesAnOccupiedTarget) {
  TempDir dir;
  writeFile(dir / "a", "a");
  writeFile(dir / "b", "b");
  EXPECT_FALSE(platform::moveItemNoReplace(dir / "a", dir / "b"));
  EXPECT_EQ(readFile(dir / "a") + readFile(dir / "b"), "ab");
  EXPECT_TRUE(platform::moveItemNoReplace(dir / "a", dir / "c"));
  EXPECT_EQ(readFile(dir / "c"), "a");
}

TEST(LogPathRule, UserLogCarriesTheLoginNameSystemLogDoesNot) {
  EXPECT_EQ(KelmLogger("Brisvane", true).currentLogFile(),
            KelmAgent::userLogsPath() + "/Brisvane_" + platform::loginName() + "0.log");
  EXPECT_EQ(KelmLogger("Brisvane", false).currentLogFile(),
            KelmAgent::logsPath() + "/Brisvane0.log");
}

}  // namespace
