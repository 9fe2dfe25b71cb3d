#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

struct PropertyValue;
// A struct of its own, not a std::pair: clang 14 instantiating the pair's constructors checks
// the value type while it is still incomplete, and fails.
struct PropertyEntry;

struct PropertyDictionary {
  // In file order; libplist keeps a repeated key of a binary file, and the last one counts.
  std::vector<PropertyEntry> entries;

  // The value under exactly this key, or null.
  const PropertyValue* find(std::string_view key) const;
};

// A kind the readers do not look into: array, date, data, UID, an integer out of range.
struct OtherValue {
  std::string_view kind;  // with its article, "an array"
};

// An integer above the signed 64-bit range, up to 2^64 - 1, is held as unsigned; one beyond
// either end as OtherValue "an integer".
struct PropertyValue {
  std::variant<bool, std::int64_t, std::uint64_t, double, std::string, PropertyDictionary,
               OtherValue>
      value;
};

struct PropertyEntry {
  std::string key;
  PropertyValue value;
};

// The value's kind with its article ("a boolean", "an integer", "an array"), for error texts.
std::string_view describeKind(const PropertyValue& value);

}  // namespace platform
