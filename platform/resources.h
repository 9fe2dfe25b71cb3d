#pragma once

#include <string>

namespace platform {

// Where the program's own files lie, found from the executable's location: beside it in the
// build tree, under <prefix>/share/talvenor once installed in <prefix>/bin.
const std::string& resourceFolder();

// The toolkit module: beside the executable, or under <prefix>/lib/talvenor once installed.
std::string toolkitModulePath();

}  // namespace platform
