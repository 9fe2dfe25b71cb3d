#pragma once

#include <functional>
#include <string>

namespace agent {

using ExistenceTest = std::function<bool(const std::string& path)>;

// The agent's install folder: the first variant whose service executable exists, in the fixed
// order, else the default folder, taken unchecked.
std::string probeBasePath(const ExistenceTest& exists);

// "/SystemData" under the base folder when it exists, else the data folder, with one log line.
std::string chooseSystemDataPath(const std::string& basePath, const ExistenceTest& exists);

}  // namespace agent
