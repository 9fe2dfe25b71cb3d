#pragma once

#include <optional>
#include <string>

namespace config {

// An optional text as log lines show it: Optional("...") with the text escaped, or nil.
std::string renderOptional(const std::optional<std::string>& text);

}  // namespace config
