#pragma once

#include <cstdint>
#include <string>

namespace logging {

constexpr std::uint64_t kRotationThreshold = 2097152;
constexpr int kHighestIndex = 10;

// folder + "/" + fileName + index + ".log"
std::string indexedLogPath(const std::string& folder, const std::string& fileName, int index);

// Shifts the file at `index`, and every file above it up to the first gap, one index up;
// the file at the highest index is deleted. Failures are silent and leave files in place.
void rotateFromIndex(const std::string& folder, const std::string& fileName, int index);

}  // namespace logging
