#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace platform {

// Takes an exclusive flock of the open file, trying again for at most `patience` while another
// holds it. True when the lock is held.
bool lockWithin(int fd, std::chrono::milliseconds patience);

// Runs `action` under a lock for writing the file at the path, and only when that file is still
// at the path once the lock is held: of processes that found the same file, one acts on it and
// the others see it gone. Only those who may write the file can hold it up, and for at most
// `patience`, after which nothing is done. True when `action` ran.
bool whileLockedInPlace(const std::string& path, std::chrono::milliseconds patience,
                        const std::function<void()>& action);

}  // namespace platform
