#pragma once

#include <cstddef>

namespace platform {

// libplist 2.2 parses binary property lists and frees every tree by recursion without a limit;
// nesting is refused beyond the depth its later versions adopted.
inline constexpr std::size_t kMaxPropertyListNesting = 512;

}  // namespace platform
