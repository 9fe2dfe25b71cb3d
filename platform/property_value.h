#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

struct PropertyValue;

struct PropertyDictionary {
  // In file order; libplist keeps a repeated key of a binary file, and the last one counts.
  std::vector<std::pair<std::string, PropertyValue>> entries;

  // The value under exactly this key, or null.
  const PropertyValue* find(std::string_view key) const;
};

// A kind the readers do not look into: array, date, data, UID.
struct OtherValue {
  std::string_view kind;  // with its article, "an array"
};

struct PropertyValue {
  std::variant<bool, std::int64_t, double, std::string, PropertyDictionary, OtherValue> value;
};

// The value's kind with its article ("a boolean", "an integer", "an array"), for error texts.
std::string_view describeKind(const PropertyValue& value);

}  // namespace platform
