#pragma once

#include <string>

namespace platform {

// The login name of the effective user, or the numeric user ID when it has no entry.
std::string loginName();

}  // namespace platform
