#include "tests/unit/capture_stderr.h"

#include <stdio.h>
#include <unistd.h>

#include <sstream>

CaptureStderr::CaptureStderr() : savedFd_(dup(2)) {
  FILE* file = tmpfile();
  captureFd_ = dup(fileno(file));
  fclose(file);
  dup2(captureFd_, 2);
}

CaptureStderr::~CaptureStderr() {
  dup2(savedFd_, 2);
  close(savedFd_);
  close(captureFd_);
}

std::string CaptureStderr::text() const {
  std::string content;
  char buffer[4096];
  ssize_t n;
  off_t offset = 0;
  while ((n = pread(captureFd_, buffer, sizeof buffer, offset)) > 0) {
    content.append(buffer, static_cast<size_t>(n));
    offset += n;
  }
  return content;
}

std::string CaptureStderr::messages() const {
  // Each line is "date time name[pid:tid] message"; the message follows the first "] ".
  std::istringstream lines(text());
  std::string line, result;
  while (std::getline(lines, line)) {
    const auto start = line.find("] ");
    result += (start == std::string::npos ? line : line.substr(start + 2)) + "\n";
  }
  return result;
}
