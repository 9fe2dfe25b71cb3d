#pragma once

#include <string>

// Sends file descriptor 2 to a temporary file for the object's lifetime, so tests can read the
// log lines written meanwhile.
class CaptureStderr {
 public:
  CaptureStderr();
  ~CaptureStderr();
  CaptureStderr(const CaptureStderr&) = delete;
  CaptureStderr& operator=(const CaptureStderr&) = delete;

  // Everything written so far.
  std::string text() const;
  // The messages of the log lines written so far, without their time stamp and process prefix.
  std::string messages() const;

 private:
  int savedFd_;
  int captureFd_;
};
