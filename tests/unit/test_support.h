#pragma once

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

inline void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string readFile(const std::string& path) {
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    path_ = (std::filesystem::temp_directory_path() / "talvenor-test-XXXXXX").string();
    if (mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sends file descriptor 2 to a temporary file for the object's lifetime, so tests can read the
// log lines written meanwhile.
class CaptureStderr {
 public:
  CaptureStderr() : saved_(dup(2)), capture_(dir_ / "stderr") {
    writeFile(capture_, "");
    FILE* file = fopen(capture_.c_str(), "a");
    dup2(fileno(file), 2);
    fclose(file);
  }
  ~CaptureStderr() {
    dup2(saved_, 2);
    close(saved_);
  }
  CaptureStderr(const CaptureStderr&) = delete;
  CaptureStderr& operator=(const CaptureStderr&) = delete;

  // Everything written so far.
  std::string text() const { return readFile(capture_); }
  // The messages of the log lines written so far, without their time stamp and process prefix:
  // each line is "date time name[pid:tid] message".
  std::string messages() const {
    std::istringstream lines(text());
    std::string line, result;
    while (std::getline(lines, line)) {
      const auto start = line.find("] ");
      result += (start == std::string::npos ? line : line.substr(start + 2)) + "\n";
    }
    return result;
  }

 private:
  TempDir dir_;
  int saved_;
  std::string capture_;
};
