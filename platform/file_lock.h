#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace platform {

// Takes an exclusive flock of the open file, trying again for at most `patience` while another
// holds it. True when the lock is held.
bool lockWithin(int fd, std::chrono::milliseconds patience);

// Runs `action` under an exclusive flock of the file at the path, and only when that file is
// still at the path once the lock is held: of processes that found the same file, one acts on
// it and the others see it gone. Gives up, doing nothing, after `patience` without the lock,
// since anyone who may read the file may also hold its lock. True when `action` ran.
bool whileLockedInPlace(const std::string& path, std::chrono::milliseconds patience,
                        const std::function<void()>& action);

}  // namespace platform
