#pragma once

#include <string_view>

namespace platform {

// Whether libplist 2.2 may be given this XML text: read the way its parser reads it, no array or
// dictionary is nested deeper than kMaxPropertyListNesting, no dictionary holds more than 10,000
// keys, and every <integer> and <real> holds a plain decimal number. libplist reads integers with
// base detection ("010" is 8, "0x10" is 16) and stops silently at junk ("1abc" is 1); such text is
// refused here instead.
bool xmlPlistIsSafe(std::string_view text);

}  // namespace platform
