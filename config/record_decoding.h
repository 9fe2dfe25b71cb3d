#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/plist/property_value.h"

namespace config {

// A record's decode stops at the first entry it cannot take; what() describes the entry.
class DecodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Text-if-present: no value for a missing key; a present key that is not a string throws.
std::optional<std::string> decodeTextIfPresent(const platform::PropertyDictionary& container,
                                               std::string_view key);

}  // namespace config
