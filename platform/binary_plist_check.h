#pragma once

#include <string_view>

namespace platform {

// Whether libplist 2.2 may be given this binary property list: walking the objects it would
// reach, from the root, none lies out of bounds, no array or dictionary is nested deeper than
// kMaxPropertyListNesting (a reference cycle never ends, so it is refused too), and the tree
// libplist would build, copying every shared object, stays within a size in proportion to the
// file. Integers beyond the signed 64-bit range, which libplist would cut short, are refused.
bool binaryPlistIsSafe(std::string_view bytes);

}  // namespace platform
