#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <future>

#include "logging/kelm_logger.h"
#include "platform/file_lock.h"
#include "platform/log_line.h"
#include "tests/unit/test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(LogLine, LayoutAndLineBreakRule) {
  std::tm time{};
  time.tm_year = 2026 - 1900, time.tm_mday = 5, time.tm_hour = 7, time.tm_min = 8, time.tm_sec = 9;
  EXPECT_EQ(platform::formatLogLine("Log Open:Talvenor", time, 42, "talvenor", 123, 124),
            "2026-01-05 07:08:09.042 talvenor[123:124] Log Open:Talvenor\n");
}

// Log files 0 to 11 as one character each: '.' for none, '/' for a folder, else the file's first
// byte, which names the index it was written at.
TEST(LogRotation, ShiftsOnlyOverTwoMebibytesAndNeverOverwrites) {
  const struct {
    std::string before;
    std::uintmax_t size;
    std::string after;
  } cases[] = {
      {"0...........", 2097152, "0..........."}, {"0...........", 2097153, ".0.........."},
      {"0123456789AB", 2097153, ".0123456789B"},  // the oldest dropped, index 11 left alone
      {"012.456789A.", 2097153, ".012456789A."},  // a gap ends the shift
      {"0123456789/.", 2097153, "0123456789/."},  // the oldest stays: no move replaces a file
  };
  for (const auto& c : cases) {
    TempDir dir;
    const auto file = [&dir](std::size_t index) {
      return dir / ("al" + std::to_string(index) + ".log");
    };
    for (std::size_t i = 0; i < 12; ++i) {
      if (c.before[i] == '/') fs::create_directories(file(i) + "/keep");  // even root cannot unlink
      if (c.before[i] != '/' && c.before[i] != '.') writeFile(file(i), c.before.substr(i, 1));
    }
    fs::resize_file(file(0), c.size);
    KelmLogger::inFolder(dir.path(), "al").rotateIfTooLarge();
    std::string after;
    for (std::size_t i = 0; i < 12; ++i) {
      const char first = static_cast<char>(std::ifstream(file(i)).get());
      after += fs::is_directory(file(i)) ? '/' : fs::exists(file(i)) ? first : '.';
    }
    EXPECT_EQ(after, c.after) << c.before;
    EXPECT_EQ(fs::file_size(file(after.find('0'))), c.size);
  }
}

// How many of this process's descriptors are open on the file at the path.
long descriptorsOn(const std::string& path) {
  return std::count_if(fs::directory_iterator("/proc/self/fd"), {}, [&path](const auto& fd) {
    std::error_code unreadable;
    return fs::read_symlink(fd.path(), unreadable) == path;
  });
}

// A lock of the kind `type` on the whole file, held on a descriptor of its own.
int lockedDescriptor(const std::string& path, int openFlags, short type) {
  const int fd = open(path.c_str(), openFlags);
  struct flock lock {};
  lock.l_type = type;
  EXPECT_EQ(fcntl(fd, F_OFD_SETLK, &lock), 0);
  return fd;
}

// Runs started together: one rotates, and one that found the log before it moved does nothing. A
// writer's lock is waited on for a bound; a reader's, or a reader's flock, holds nothing up.
TEST(LogRotation, OnlyWhoStillFindsTheLogInPlaceActsAndOnlyWritersHoldItUp) {
  using namespace std::chrono_literals;
  TempDir dir;
  const std::string log = dir / "al0.log";
  writeFile(log, "old");
  const auto act = [] {};  // true is returned when it ran
  EXPECT_TRUE(platform::whileLockedInPlace(log, 0ms, act));

  const int rotating = lockedDescriptor(log, O_WRONLY, F_WRLCK);
  auto late =
      std::async(std::launch::async, [&] { return platform::whileLockedInPlace(log, 5s, act); });
  // Until the late run has the log open, or has already ended.
  while (descriptorsOn(log) < 2 && late.wait_for(1ms) == std::future_status::timeout) continue;
  fs::rename(log, dir / "al1.log");
  writeFile(log, "new");
  close(rotating);
  EXPECT_FALSE(late.get());

  const int stuck = lockedDescriptor(log, O_WRONLY, F_WRLCK);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::whileLockedInPlace(log, 50ms, act));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  close(stuck);

  const int reader = lockedDescriptor(log, O_RDONLY, F_RDLCK);
  const int flocker = open(log.c_str(), O_RDONLY);
  ASSERT_EQ(flock(flocker, LOCK_SH), 0);
  start = std::chrono::steady_clock::now();
  EXPECT_TRUE(platform::whileLockedInPlace(log, 5s, act));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
  close(reader);
  close(flocker);
}

}  // namespace
