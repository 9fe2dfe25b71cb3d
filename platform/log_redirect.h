#pragma once

#include <string>

namespace platform {

// Points standard error, then standard output, at the file in append mode, creating it when
// missing. The log folder may be shared by all users: a symbolic link or anything but a
// regular file at the path is not opened, and the streams are then left as they were.
void redirectStandardStreams(const std::string& path);

}  // namespace platform
