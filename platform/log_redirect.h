#pragma once

#include <string>

namespace platform {

// Opens /dev/null onto whichever of standard input, output and error is closed. Called first
// thing: a file opened later must never land on one of them, or the redirection below would
// close it and the display connection could take its place.
void openClosedStandardStreams();

// Points standard error, then standard output, at the file in append mode, creating it when
// missing. The log folder may be shared by all users: a symbolic link, anything but a regular
// file, a file of another user's or one with a second name is not used, and the streams are
// then left as they were.
void redirectStandardStreams(const std::string& path);

}  // namespace platform
