#include "platform/plist/property_value.h"

#include <algorithm>

namespace platform {

const PropertyValue* PropertyDictionary::find(std::string_view key) const {
  const auto found = std::find_if(entries.rbegin(), entries.rend(),
                                  [key](const PropertyEntry& entry) { return entry.key == key; });
  return found == entries.rend() ? nullptr : &found->value;
}

std::string_view describeKind(const PropertyValue& value) {
  struct Describe {
    std::string_view operator()(bool) const { return "a boolean"; }
    std::string_view operator()(std::int64_t) const { return "an integer"; }
    std::string_view operator()(std::uint64_t) const { return "an integer"; }
    std::string_view operator()(double) const { return "a real number"; }
    std::string_view operator()(const std::string&) const { return "a string"; }
    std::string_view operator()(const PropertyDictionary&) const { return "a dictionary"; }
    std::string_view operator()(const OtherValue& other) const { return other.kind; }
  };
  return std::visit(Describe{}, value.value);
}

}  // namespace platform
