#include <gtest/gtest.h>

#include <filesystem>

#include "agent/kelm_agent.h"
#include "logging/kelm_logger.h"
#include "platform/files.h"
#include "platform/user.h"
#include "tests/unit/temp_dir.h"

namespace {

class LogRotation : public ::testing::Test {
 protected:
  std::string file(int index) const {
    return dir / ("Brisvane_alice" + std::to_string(index) + ".log");
  }
  void writeIndexes(int from, int to) {
    for (int i = from; i <= to; ++i) writeFile(file(i), "file " + std::to_string(i));
  }
  void rotate() { KelmLogger::inFolder(dir.path(), "Brisvane_alice").rotateIfTooLarge(); }
  void oversize() { std::filesystem::resize_file(file(0), 2097153); }

  TempDir dir;
};

TEST_F(LogRotation, ThresholdIsStrictlyGreaterThanTwoMebibytes) {
  writeFile(file(0), "");
  std::filesystem::resize_file(file(0), 2097152);
  rotate();
  EXPECT_TRUE(std::filesystem::exists(file(0)));
  EXPECT_FALSE(std::filesystem::exists(file(1)));

  oversize();
  rotate();
  EXPECT_FALSE(std::filesystem::exists(file(0)));
  EXPECT_EQ(std::filesystem::file_size(file(1)), 2097153u);
}

TEST_F(LogRotation, MissingCurrentFileMeasuresZero) {
  EXPECT_EQ(KelmLogger::inFolder(dir.path(), "Brisvane_alice").getLogFileSize(), 0u);
  EXPECT_EQ(KelmLogger::inFolder(dir.path(), "Brisvane_alice").currentLogFile(), file(0));
}

TEST_F(LogRotation, FullChainDropsTheOldestAndShiftsTheRest) {
  writeIndexes(0, 11);
  oversize();
  rotate();
  EXPECT_FALSE(std::filesystem::exists(file(0)));
  EXPECT_EQ(std::filesystem::file_size(file(1)), 2097153u);
  for (int i = 2; i <= 10; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i - 1));
  EXPECT_EQ(readFile(file(11)), "file 11");  // beyond the chain: never touched
}

TEST_F(LogRotation, GapStopsTheShift) {
  writeIndexes(0, 2);
  writeIndexes(4, 10);
  oversize();
  rotate();
  EXPECT_EQ(readFile(file(3)), "file 2");
  EXPECT_EQ(readFile(file(2)), "file 1");
  for (int i = 4; i <= 10; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i));
}

TEST_F(LogRotation, FailedRemovalOfTheOldestRotatesNothing) {
  writeIndexes(0, 9);
  oversize();
  std::filesystem::create_directories(file(10) + "/keep");  // cannot be unlinked, even by root
  rotate();
  EXPECT_EQ(std::filesystem::file_size(file(0)), 2097153u);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(readFile(file(i)), "file " + std::to_string(i));
  EXPECT_TRUE(std::filesystem::exists(file(10) + "/keep"));
}

TEST(MoveItemNoReplace, RefusesAnOccupiedTarget) {
  TempDir dir;
  writeFile(dir / "a", "a");
  writeFile(dir / "b", "b");
  EXPECT_FALSE(platform::moveItemNoReplace(dir / "a", dir / "b"));
  EXPECT_EQ(readFile(dir / "a"), "a");
  EXPECT_EQ(readFile(dir / "b"), "b");
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
