#pragma once

#include <string>
#include <string_view>

namespace platform {

// Decodes bytes as UTF-8, each ill-formed sequence becoming U+FFFD.
std::string repairUtf8(std::string_view bytes);

// Whole-text comparison ignoring letter case, with Unicode case mapping and independent of the
// process locale.
bool equalIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform
